#include "platform/controls/filedialog/FileDialogModel.h"

#include "platform/base/CodePage.h"
#include "platform/sys/FilePath.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

constexpr std::size_t FilterLimit = 64 * 1024;

namespace fs = std::filesystem;

fs::path Linux(const std::string& gbk) {
    return fs::path(LinuxPath(gbk));
}

std::string Gbk(const fs::path& path) {
    return Utf8ToGbk(path.string());
}

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length in bytes of the character at the start of text (GBK: 1 or 2).
std::size_t CharacterLength(std::string_view text) {
    return (text.size() > 1 && IsGbkLeadByte(static_cast<BYTE>(text[0]))) ? 2 : 1;
}

bool Match(std::string_view name, std::string_view pattern) {
    while (!pattern.empty()) {
        if (pattern[0] == '*') {
            pattern.remove_prefix(1);
            for (std::size_t i = 0;; i += CharacterLength(name.substr(i))) {
                if (Match(name.substr(i), pattern))
                    return true;
                if (i >= name.size())
                    return false;
            }
        }
        if (name.empty())
            return false;
        std::size_t length = CharacterLength(name);
        if (pattern[0] == '?') {
            pattern.remove_prefix(1);
        } else {
            std::size_t patternLength = CharacterLength(pattern);
            if (patternLength != length)
                return false;
            for (std::size_t i = 0; i < length; ++i) {
                if (Fold(name[i]) != Fold(pattern[i]))
                    return false;
            }
            pattern.remove_prefix(patternLength);
        }
        name.remove_prefix(length);
    }
    return name.empty();
}

std::vector<std::string> SplitPatterns(std::string_view text) {
    std::vector<std::string> patterns;
    while (!text.empty()) {
        std::size_t end = text.find(';');
        std::string_view one = text.substr(0, end);
        while (!one.empty() && one.front() == ' ')
            one.remove_prefix(1);
        while (!one.empty() && one.back() == ' ')
            one.remove_suffix(1);
        if (!one.empty())
            patterns.emplace_back(one);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return patterns;
}

bool SortsBefore(const FolderEntry& a, const FolderEntry& b) {
    std::string x = a.name;
    std::string y = b.name;
    std::transform(x.begin(), x.end(), x.begin(), Fold);
    std::transform(y.begin(), y.end(), y.begin(), Fold);
    return x < y;
}

bool HasExtension(std::string_view name) {
    std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot > 0;
}

} // namespace

std::vector<FileFilter> ParseFilters(LPCSTR filters) {
    std::vector<FileFilter> result;
    if (!filters)
        return result;
    std::size_t offset = 0;
    while (offset < FilterLimit && filters[offset]) {
        std::size_t descriptionLength = strnlen(filters + offset, FilterLimit - offset);
        std::string description(filters + offset, descriptionLength);
        offset += descriptionLength + 1;
        if (offset >= FilterLimit || !filters[offset])
            break;
        std::size_t patternLength = strnlen(filters + offset, FilterLimit - offset);
        std::vector<std::string> patterns = SplitPatterns(std::string_view(filters + offset, patternLength));
        offset += patternLength + 1;
        if (!patterns.empty())
            result.push_back({std::move(description), std::move(patterns)});
    }
    return result;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    return Match(name, pattern);
}

bool MatchesAny(std::string_view name, const std::vector<std::string>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& pattern) { return MatchesPattern(name, pattern); });
}

std::vector<FolderEntry> ListFolder(const std::string& folder, const std::vector<std::string>& patterns) {
    std::vector<FolderEntry> folders;
    std::vector<FolderEntry> files;
    std::error_code error;
    fs::directory_iterator entries(Linux(folder), fs::directory_options::skip_permission_denied, error);
    if (error)
        return {};
    for (const fs::directory_entry& entry : entries) {
        std::string utf8 = entry.path().filename().string();
        if (utf8.empty() || utf8[0] == '.')
            continue;
        FolderEntry item;
        item.name = Utf8ToGbk(utf8);
        item.choosable = CanEncodeAsGbk(utf8) && GbkToUtf8(item.name) == utf8;
        std::error_code kindError;
        item.folder = entry.is_directory(kindError);
        if (item.folder)
            folders.push_back(std::move(item));
        else if (MatchesAny(item.name, patterns))
            files.push_back(std::move(item));
    }
    std::sort(folders.begin(), folders.end(), SortsBefore);
    std::sort(files.begin(), files.end(), SortsBefore);
    std::vector<FolderEntry> result;
    if (NormalFolder(folder) != "/")
        result.push_back({"..", true, true});
    result.insert(result.end(), folders.begin(), folders.end());
    result.insert(result.end(), files.begin(), files.end());
    return result;
}

bool FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(Linux(path), error);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::exists(Linux(path), error) && !fs::is_directory(Linux(path), error);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return NormalFolder(home && *home ? Utf8ToGbk(home) : std::string("/"));
}

std::string NormalFolder(const std::string& path) {
    fs::path linux = Linux(path);
    std::error_code error;
    if (linux.is_relative())
        linux = fs::current_path(error) / linux;
    std::string normal = linux.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return Utf8ToGbk(normal.empty() ? "/" : normal);
}

std::string ParentFolder(const std::string& folder) {
    return Gbk(Linux(NormalFolder(folder)).parent_path());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::vector<std::string> FolderChain(const std::string& folder) {
    std::vector<std::string> chain;
    std::string current = NormalFolder(folder);
    while (true) {
        chain.insert(chain.begin(), current);
        std::string parent = ParentFolder(current);
        if (parent == current || parent.empty())
            break;
        current = parent;
    }
    return chain;
}

TypedName InterpretTypedName(const std::string& currentFolder, std::string typed,
                             const std::string& defaultExtension) {
    while (!typed.empty() && typed.front() == ' ')
        typed.erase(typed.begin());
    while (!typed.empty() && typed.back() == ' ')
        typed.pop_back();
    TypedName result;
    if (typed.empty())
        return result;
    std::string linux = LinuxPath(typed);
    std::string path;
    if (linux == "~" || linux.starts_with("~/"))
        path = JoinPath(HomeFolder(), Utf8ToGbk(linux.substr(std::min<std::size_t>(2, linux.size()))));
    else if (linux.starts_with("/"))
        path = Utf8ToGbk(linux);
    else
        path = JoinPath(currentFolder, Utf8ToGbk(linux));

    std::size_t slash = path.rfind('/');
    std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    std::string name = path.substr(slash + 1);
    if (name.find_first_of("*?") != std::string::npos) {
        result.kind = TypedKind::Filter;
        result.path = NormalFolder(folder);
        result.pattern = name;
        return result;
    }
    if (name.empty() || name == "." || name == ".." || FolderExists(path)) {
        result.kind = TypedKind::Navigate;
        result.path = NormalFolder(path);
        return result;
    }
    if (!HasExtension(name) && !defaultExtension.empty())
        name += "." + defaultExtension;
    result.kind = TypedKind::Save;
    result.path = JoinPath(NormalFolder(folder), name);
    result.folderExists = FolderExists(folder);
    if (FolderExists(result.path)) {
        result.kind = TypedKind::Navigate;
        result.path = NormalFolder(result.path);
    }
    return result;
}

} // namespace platform
