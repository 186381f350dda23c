#pragma once
// What the save dialog knows of files, apart from its window: the filter pairs of
// OPENFILENAMEA, matching names against patterns, the entries of a folder as the dialog lists
// them, and what a typed name means (a folder to open, a pattern to list, a file to save).
// Paths are code page 936 with '/' between folders.

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns; // "*.txt", "*.*"
};

// The pairs of a filter list: description, zero, patterns separated by ';', zero, ... and a
// second zero at the end. An unpaired description is dropped. At most 64 KiB are read.
std::vector<FileFilter> ParseFilters(LPCSTR filters);

// '*' any run of bytes, '?' one character, letters without regard to case; "*.*" is every name.
bool MatchesPattern(std::string_view name, std::string_view pattern);
bool MatchesAny(std::string_view name, const std::vector<std::string>& patterns);

struct FolderEntry {
    std::string name; // GBK; a name GBK cannot hold shows its characters as '?'
    bool folder = false;
    bool choosable = true; // false when the name could not be shown as it is
};

// "..", unless the folder is the root, then the sub-folders and the files that match, each
// group sorted; hidden entries (names beginning with '.') are left out. Empty when the folder
// cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder, const std::vector<std::string>& patterns);

bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
std::string HomeFolder();
// The absolute form, with "." and ".." resolved and no '/' at the end (except the root).
std::string NormalFolder(const std::string& path);
std::string ParentFolder(const std::string& folder);
std::string JoinPath(const std::string& folder, const std::string& name);
// The folders from the root down to the folder, the root first.
std::vector<std::string> FolderChain(const std::string& folder);

enum class TypedKind {
    Nothing,  // blank
    Navigate, // path is a folder to open
    Filter,   // pattern is a wildcard to list by, path the folder to open first
    Save,     // path is the file to save
};

struct TypedName {
    TypedKind kind = TypedKind::Nothing;
    std::string path;
    std::string pattern;
    bool folderExists = true; // for Save: whether the file's folder exists
};

// A name typed into the dialog, relative to the current folder: absolute paths, "~" for the
// home folder, "\" as a separator, wildcards; the default extension is added to a file name
// that has none.
TypedName InterpretTypedName(const std::string& currentFolder, std::string typed,
                             const std::string& defaultExtension);

} // namespace platform
