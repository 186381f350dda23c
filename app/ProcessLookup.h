#pragma once
// Who owns an endpoint: the process's executable name, its path and its file's description.
// All three look-ups are total: whatever fails gives an empty text, never an error. The
// process-listing and module-query services are looked up by name at run time, so a system
// without them gives empty texts instead of a program that does not start.

#include "platform/base/WinTypes.h"

#include <string>
#include <unordered_map>

// A snapshot of all processes for one listing; null when the service is unavailable (every
// name is then empty). Release it with CloseProcessSnapshot.
HANDLE TakeProcessSnapshot();
void CloseProcessSnapshot(HANDLE snapshot);

// The executable file name of the process in the snapshot, walked from its first entry.
std::string GetProcessName(HANDLE snapshot, DWORD processId);
// The names of every process of the snapshot by id, from one walk; where an id occurs twice
// its first entry counts, as for GetProcessName.
std::unordered_map<DWORD, std::string> GetProcessNames(HANDLE snapshot);
// The full path of the process's first module, its executable.
std::string GetProcessPath(DWORD processId);
// "<FileDescription> / <CompanyName>" of the first translation of the file's version
// resource, or the description alone without a company; the bare file name is looked for
// along the platform's search order.
std::string GetFileDescription(const std::string& fileName);

// The key of a translation entry's string table: language id and code page as eight
// upper-case hexadecimal digits ("080404B0").
std::string TranslationKey(const unsigned char entry[4]);
