// skinpack: lists, extracts and packs skin archives, reads a value of their description and
// describes the skin elements built from them.
// Archive texts are GBK; everything printed is UTF-8. Errors go to stderr with exit status 1.

#include "ElementsReport.h"

#include "core/Exception.h"
#include "core/TextUtils.h"
#include "platform/base/CodePage.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"
#include "skin/data/WinSkinIni.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* Usage = R"(Usage:
  skinpack list ARCHIVE                  the version, then each entry's name and size
  skinpack extract ARCHIVE DIR           writes each named entry to DIR/name
  skinpack pack DIR ARCHIVE [--version N]
                                         packs the files of DIR (the .ini first, then by
                                         name) into a new archive; N is 20000 (default),
                                         30000, 40000, 50000, 60000 or 70000
  skinpack ini ARCHIVE SECTION KEY       prints the key's value from the archive's description
  skinpack elements ARCHIVE              builds the skin's elements and prints each one, the
                                         caption buttons and the colours
  skinpack --help                        shows this text
)";

constexpr std::int32_t DefaultVersion = 20000;

// A failure to report; the text is UTF-8.
class TToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TUsageError : public TToolError {
public:
    using TToolError::TToolError;
};

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

Bytes ReadFileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw TToolError("cannot open " + Quoted(path) + ": " + std::strerror(errno));
    Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        throw TToolError("cannot read " + Quoted(path));
    return bytes;
}

// Writes the whole file under a temporary name first, so a failed write leaves no half file.
void WriteFileBytes(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    fs::path partial = path;
    partial += ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        if (!file)
            throw TToolError("cannot create " + Quoted(partial) + ": " + std::strerror(errno));
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        file.close();
        if (!file) {
            fs::remove(partial);
            throw TToolError("cannot write " + Quoted(path));
        }
    }
    std::error_code error;
    fs::rename(partial, path, error);
    if (error) {
        fs::remove(partial);
        throw TToolError("cannot write " + Quoted(path) + ": " + error.message());
    }
}

void LoadArchive(const fs::path& path, TSkinReader& reader) {
    Bytes bytes = ReadFileBytes(path);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    if (!reader.LoadSkin(stream))
        throw TToolError(Quoted(path) +
                         " is not a readable skin archive (damaged, or of an unknown version)");
}

void List(const fs::path& archive) {
    TSkinReader reader;
    LoadArchive(archive, reader);
    std::cout << "version " << reader.SkinHeader().Version << '\n';
    for (int i = 0; i < reader.EntryCount(); ++i)
        std::cout << platform::GbkToUtf8(reader.EntryNames()[i]) << '\t' << reader.EntrySizes()[i] << '\n';
}

// A file name that stays inside the folder it is written to.
bool StaysInside(const std::string& name) {
    return name != "." && name != ".." && name.find('/') == std::string::npos;
}

void Extract(const fs::path& archive, const fs::path& directory) {
    TSkinReader reader;
    LoadArchive(archive, reader);
    for (int i = 0; i < reader.EntryCount(); ++i) {
        std::string name = platform::GbkToUtf8(reader.EntryNames()[i]);
        if (!name.empty() && !StaysInside(name))
            throw TToolError("entry " + std::to_string(i) + " is named '" + name +
                             "', which would leave the folder; nothing extracted");
    }
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        throw TToolError("cannot create " + Quoted(directory) + ": " + error.message());

    std::set<std::string> written;
    TMemoryStream entry;
    for (int i = 0; i < reader.EntryCount(); ++i) {
        const std::string& gbkName = reader.EntryNames()[i];
        std::string name = platform::GbkToUtf8(gbkName);
        if (name.empty()) {
            std::cerr << "skinpack: entry " << i << " has no name; skipped\n";
            continue;
        }
        if (!written.insert(name).second) {
            std::cerr << "skinpack: entry " << i << " repeats the name '" << name << "'; skipped\n";
            continue;
        }
        reader.GetEntry(gbkName, entry);
        WriteFileBytes(directory / name, entry.Memory(), static_cast<std::size_t>(entry.Size()));
    }
}

bool IsDescription(const std::string& name) {
    std::string lower = LowerCase(name);
    return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".ini") == 0;
}

std::int32_t ParseVersion(const std::string& text) {
    std::int32_t version = StrToIntDef(text, -1);
    if (SkinReservedSize(version) < 0)
        throw TUsageError("unknown version '" + text + "'");
    return version;
}

void Pack(const fs::path& directory, const fs::path& archive, std::int32_t version) {
    std::error_code error;
    if (!fs::is_directory(directory, error))
        throw TToolError(Quoted(directory) + " is not a folder");

    std::vector<std::string> files;
    for (const fs::directory_entry& item : fs::directory_iterator(directory)) {
        std::string name = item.path().filename().string();
        if (item.is_regular_file())
            files.push_back(name);
        else
            std::cerr << "skinpack: '" << name << "' is not a file; skipped\n";
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        if (IsDescription(a) != IsDescription(b))
            return IsDescription(a);
        return LowerCase(a) < LowerCase(b);
    });

    std::vector<TSkinEntry> entries;
    std::set<std::string> lowerNames;
    for (const std::string& name : files) {
        if (!platform::CanEncodeAsGbk(name))
            throw TToolError("the file name '" + name + "' cannot be written in GBK");
        std::string gbkName = platform::Utf8ToGbk(name);
        // The reader lower-cases names, so two names that differ only in case would clash.
        if (!lowerNames.insert(LowerCase(gbkName)).second)
            throw TToolError("two files are named '" + name + "' apart from letter case");
        entries.push_back({gbkName, ReadFileBytes(directory / name)});
    }

    Bytes stored;
    try {
        stored = PackSkinImage(BuildSkinImage(version, entries));
    } catch (const Exception& failure) {
        throw TToolError(platform::GbkToUtf8(failure.Message()));
    }
    WriteFileBytes(archive, stored.data(), stored.size());
}

// The archive's description, parsed.
void LoadDescription(const fs::path& archive, const TSkinReader& reader, TQuickIni& ini) {
    TMemoryStream description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    if (name.empty())
        throw TToolError(Quoted(archive) + " has no description (.ini) entry");
    ini.LoadFromStream(&description);
}

void PrintIniValue(const fs::path& archive, const std::string& section, const std::string& key) {
    TSkinReader reader;
    LoadArchive(archive, reader);
    TQuickIni ini;
    LoadDescription(archive, reader, ini);
    std::string value = ini.ReadString(platform::Utf8ToGbk(section), platform::Utf8ToGbk(key), "");
    std::cout << platform::GbkToUtf8(value) << '\n';
}

void PrintElements(const fs::path& archive) {
    TSkinReader reader;
    LoadArchive(archive, reader);
    TQuickIni ini;
    LoadDescription(archive, reader, ini);
    TSkinElements elements;
    elements.ReadSkinElements(reader, ini);
    PrintSkinElements(elements, std::cout);
}

int Run(const std::vector<std::string>& args) {
    if (args.empty())
        throw TUsageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << "skinpack: reads, extracts and packs skin archives.\n\n" << Usage;
        return 0;
    }
    if (command == "list" && args.size() == 2) {
        List(args[1]);
    } else if (command == "extract" && args.size() == 3) {
        Extract(args[1], args[2]);
    } else if (command == "pack" && args.size() == 3) {
        Pack(args[1], args[2], DefaultVersion);
    } else if (command == "pack" && args.size() == 5 && args[3] == "--version") {
        Pack(args[1], args[2], ParseVersion(args[4]));
    } else if (command == "ini" && args.size() == 4) {
        PrintIniValue(args[1], args[2], args[3]);
    } else if (command == "elements" && args.size() == 2) {
        PrintElements(args[1]);
    } else {
        throw TUsageError("unknown command or wrong arguments: '" + command + "'");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Building elements draws into bitmaps, which needs no screen: the tool never opens one.
    setenv("QUILLMERE_DISPLAY", "headless", 0);
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TUsageError& error) {
        std::cerr << "skinpack: " << error.what() << "\n\n" << Usage;
    } catch (const TToolError& error) {
        std::cerr << "skinpack: " << error.what() << '\n';
    } catch (const Exception& error) {
        std::cerr << "skinpack: " << platform::GbkToUtf8(error.Message()) << '\n';
    } catch (const std::exception& error) {
        std::cerr << "skinpack: " << error.what() << '\n';
    }
    return 1;
}
