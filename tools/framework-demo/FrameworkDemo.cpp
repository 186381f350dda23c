// framework-demo: shows the framework's demo form on the display, for a person to try every
// control; with --report, what was done with the controls is written to a file at the end.

#include "DemoForm.h"

#include "framework/forms/Application.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const char* const Usage =
    "Usage: framework-demo [--report FILE]\n"
    "\n"
    "Shows a form with every control of Quillmere's GUI framework on the display named by\n"
    "DISPLAY. Close the window (or choose 退出 in the 文件 menu) to end.\n"
    "  --report FILE  writes the controls' state (texts, selections, page, grid) to FILE at\n"
    "                 the end, one name=value line each\n";

} // namespace

int main(int argc, char** argv) {
    std::string report;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--report") == 0 && i + 1 < argc) {
            report = argv[++i];
            continue;
        }
        std::fprintf(stderr, "framework-demo: unknown argument %s\n\n%s", argv[i], Usage);
        return 2;
    }
    Application()->Initialize();
    Application()->SetTitle("framework-demo");
    TDemoForm* form = nullptr;
    Application()->CreateForm(form);
    // The long part of the hint under the mouse goes to the status bar.
    Application()->OnHint = [form](TObject*) {
        const std::string& hint = Application()->Hint();
        form->StatusBar1->Panels()->Items(0)->SetText(hint.empty() ? "就绪" : hint);
    };
    Application()->Run();
    Application()->OnHint = nullptr;
    int status = 0;
    if (!report.empty()) {
        std::ofstream file(report, std::ios::binary);
        file << form->StateReport();
        if (!file) {
            std::fprintf(stderr, "framework-demo: cannot write %s\n", report.c_str());
            status = 1;
        }
    }
    // The window goes while the window system it leaves is still there.
    delete form;
    return status;
}
