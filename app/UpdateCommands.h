#pragma once
// The two maintenance commands of the main window: starting the database updater that lies
// beside the program, and opening the update page of this version in the web browser.

#include "platform/base/WinTypes.h"

#include <string>

constexpr const char* UpdaterFileName = "Skerrow.exe";

// The update page; the version is added as "?qq=" and the version text.
constexpr const char* UpdatePageAddress = "https://quillmere.example.org/update";

// The updater's path: the folder of the program's own executable and UpdaterFileName.
std::string UpdaterPath();

// Starts the updater without waiting when it is there; nothing happens when it is not.
// True when it was there and its start was asked for (whether it started is not known).
bool StartUpdater(const std::string& updaterPath);

std::string UpdatePageUrl(const std::string& version);
// Asks the desktop to open the update page; the result is not examined.
void OpenUpdatePage(HWND owner, const std::string& version);
