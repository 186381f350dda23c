#pragma once
// The database page's facts about "QQWry.Dat" in the current folder: its size, record count,
// release date and version, one line each, handed on as soon as each is known. The database's
// errors pass to the caller; the lines handed on before the error stay where they went.

#include <functional>
#include <string>

using LineSink = std::function<void(const std::string& line)>;

void ReadDatabaseFacts(const std::string& fileName, const LineSink& addLine);
