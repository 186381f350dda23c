#include "app/updater/DatabaseUpdate.h"

#include "app/updater/SpecialRanges.h"
#include "core/DateTime.h"
#include "core/Exception.h"
#include "core/Format.h"
#include "ipdb/GeoIPImport.h"
#include "ipdb/QQWryWriter.h"
#include "ipdb/untTQQWry.h"
#include "platform/base/CodePage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Reason(int error) {
    return platform::Utf8ToGbk(std::strerror(error));
}

// The folder of a path, for the temporary file beside the database ("." for a bare name).
std::string FolderOf(const std::string& utf8Path) {
    std::string folder = std::filesystem::path(utf8Path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A new file beside the database, removed again unless it is kept by renaming it into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& targetUtf8) : m_path(targetUtf8 + ".new-XXXXXX") {
        m_fd = ::mkstemp(m_path.data());
        if (m_fd < 0) {
            throw Exception(Format("无法在 %s 中写入新数据库：%s",
                                   platform::Utf8ToGbk(FolderOf(targetUtf8)).c_str(), Reason(errno).c_str()));
        }
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return m_path; }

    // Writes every byte and makes them durable; raises on a failed or short write.
    void WriteAll(const std::vector<std::uint8_t>& bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            ssize_t count = ::write(m_fd, bytes.data() + written, bytes.size() - written);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                Fail(count < 0 ? errno : ENOSPC);
            written += static_cast<std::size_t>(count);
        }
        if (::fchmod(m_fd, 0644) != 0 || ::fsync(m_fd) != 0)
            Fail(errno);
        int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            Fail(errno);
    }

    void RenameOver(const std::string& targetUtf8) {
        if (::rename(m_path.c_str(), targetUtf8.c_str()) != 0)
            Fail(errno);
        m_kept = true;
        // The rename itself is made durable with the folder.
        int folder = ::open(FolderOf(targetUtf8).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }

private:
    [[noreturn]] void Fail(int error) { throw Exception("无法写入新数据库：" + Reason(error)); }

    std::string m_path;
    int m_fd = -1;
    bool m_kept = false;
};

// The new database opens and holds what was written: its record count, version and date.
void CheckNewDatabase(const std::string& gbkPath, std::size_t records, const GeoIPCountryDatabase& geoip) {
    try {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(gbkPath);
        bool same = wry->GetRecordCount() == static_cast<std::int64_t>(records);
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(TQQWry::GetReleaseDate(wry), year, month, day);
        same = same && year == geoip.Year && month == geoip.Month && day == geoip.Day;
        same = same && TQQWry::GetVersionText(wry) == GeoIPVersionText;
        if (!same)
            throw Exception("内容与导入的数据不符");
    } catch (const Exception& error) {
        throw Exception("新数据库校验失败：" + error.Message());
    }
}

} // namespace

UpdateSources InstalledUpdateSources() {
    return {DefaultGeoIPDatabase, std::string(SpecialRangesText())};
}

DatabaseSummary SummarizeDatabase(const std::string& fileName) {
    DatabaseSummary summary;
    if (!std::filesystem::exists(platform::GbkToUtf8(fileName)))
        return summary;
    try {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(fileName);
        summary.records = wry->GetRecordCount();
        DecodeDate(TQQWry::GetReleaseDate(wry), summary.year, summary.month, summary.day);
        summary.usable = true;
    } catch (const Exception&) {
        summary = {};
    }
    return summary;
}

UpdateReport UpdateDatabase(const std::string& fileName, const UpdateSources& sources,
                            const UpdateProgress& progress) {
    UpdateReport report;
    const std::string target = platform::GbkToUtf8(fileName);
    progress(0, "正在读取原数据库……");
    report.before = SummarizeDatabase(fileName);

    if (!std::filesystem::exists(sources.geoipPath)) {
        throw Exception(Format("找不到 GeoIP 数据文件 %s，无法升级。请先安装 geoip-database 软件包"
                               "（sudo apt-get install geoip-database）。",
                               platform::Utf8ToGbk(sources.geoipPath).c_str()));
    }
    progress(10, "正在读取 GeoIP 数据……");
    GeoIPCountryDatabase geoip;
    std::vector<QQWryRange> ranges;
    try {
        geoip = ReadGeoIPCountryDatabase(sources.geoipPath);
        progress(50, "正在生成新数据库……");
        ranges = ImportGeoIPRanges(geoip, ParseQQWrySource(sources.specialRanges));
    } catch (const Exception& error) {
        throw Exception("无法导入 GeoIP 数据：" + platform::Utf8ToGbk(error.Message()));
    }
    std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);

    progress(70, "正在写入新数据库……");
    TemporaryFile file(target);
    file.WriteAll(bytes);
    progress(85, "正在校验新数据库……");
    CheckNewDatabase(platform::Utf8ToGbk(file.Path()), ranges.size(), geoip);
    progress(95, "正在替换原数据库……");
    file.RenameOver(target);
    report.after = SummarizeDatabase(fileName);
    progress(100, "升级完成。");
    return report;
}

std::string UpdateReportText(const UpdateReport& report) {
    auto describe = [](const DatabaseSummary& summary) {
        if (!summary.usable)
            return std::string("无（文件不存在或已损坏）");
        return Format("%lld条，%d年%d月%d日", static_cast<long long>(summary.records), summary.year,
                      summary.month, summary.day);
    };
    return "原数据库：" + describe(report.before) + "\r\n新数据库：" + describe(report.after);
}
