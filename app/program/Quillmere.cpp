// The program's entry: one copy per user, the application titled "Quillmere", the main
// window, and the message loop until the window is closed. `--skin FILE` starts it wearing
// another skin archive.

#include "app/ProgramSkin.h"
#include "app/Unit1.h"
#include "framework/forms/Application.h"
#include "platform/base/KernelObject.h"
#include "platform/base/WinError.h"
#include "platform/controls/dialogs/MessageBox.h"
#include "platform/sys/Mutex.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* Usage = "usage: quillmere [--skin FILE]\n"
                              "  --skin FILE  wear the skin archive FILE instead of the built-in skin\n";

struct TStartOptions {
    std::string skinFile;
    bool help = false;
};

// False, with the reason printed, for a command line the program does not take.
bool ReadOptions(int argc, char** argv, TStartOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--skin" && i + 1 < argc) {
            options.skinFile = argv[++i];
        } else {
            std::fprintf(stderr, "quillmere: unexpected argument '%s'\n%s", argument.c_str(), Usage);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    TStartOptions options;
    if (!ReadOptions(argc, argv, options))
        return 1;
    if (options.help) {
        std::fputs(Usage, stdout);
        return 0;
    }
    // The mutex is kept for the whole life of the program: holding it is what marks the
    // running copy.
    HANDLE instance = CreateMutexA(nullptr, TRUE, "Quillmere");
    if (!instance)
        return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instance);
        return 0;
    }
    Application()->Initialize();
    Application()->SetTitle("Quillmere");
    TForm1* form = nullptr;
    Application()->CreateForm(form);
    if (!options.skinFile.empty()) {
        const std::string problem = WearSkinFile(*form->SkinData1, options.skinFile);
        if (!problem.empty())
            MessageBoxA(nullptr, problem.c_str(), "Quillmere", MB_OK | MB_ICONWARNING);
    }
    Application()->Run();
    // The window goes now, while the window system and the screen it leaves are still there;
    // left to the application's own end it would outlive them.
    delete form;
    return 0;
}
