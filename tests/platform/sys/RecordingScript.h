#pragma once
// A program for the tests of starting programs: a shell script that writes each argument in
// brackets, a newline and "end" into a file, and the bounded wait for that record.

#include "tests/platform/process/TestFolder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

// Waits (boundedly) for a started program to leave its output file.
inline std::string AwaitFile(const std::string& path) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        if (text.str().find("end\n") != std::string::npos)
            return text.str();
        ::usleep(10000);
    }
    return "<timeout>";
}

inline std::string Script(const TestFolder& folder, const std::string& name, const std::string& output) {
    std::string path =
        folder.Write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > '" + output +
                               "'\necho >> '" + output + "'\necho end >> '" + output + "'\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}
