// quillmere-drive: uses a running Quillmere window on the X display named by DISPLAY the way a
// person does, with the pointer and the keyboard (XTEST): waits for the window, optionally
// clicks "刷新", saves a screenshot of the window, clicks "保存", types a file name into the save
// dialog and confirms the completion message, starts the database updater from the database
// page, then tells what it did. Where the buttons are is
// learnt from the window itself, built once on the headless display inside this process.

#include "XScreen.h"
#include "XTestClient.h"

#include "app/ConnectionColumns.h"
#include "app/Listing.h"
#include "app/Unit1.h"
#include "framework/comctrls/PageControl.h"
#include "framework/forms/Application.h"
#include "framework/stdctrls/Buttons.h"
#include "platform/base/CodePage.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/display/Headless.h"
#include "platform/user/WinUser.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

using testing_support::XTestClient;

namespace {

const char* const Usage =
    "Usage: quillmere-drive [--window CAPTION] [--refresh] [--screenshot PNG] [--save NAME] [--update]\n"
    "                       [--close]\n"
    "\n"
    "Drives the Quillmere window on the X display named by DISPLAY with real input:\n"
    "  --window CAPTION  another window of the program to wait for, picture or close (UTF-8)\n"
    "  --refresh         clicks the refresh button first and waits for the new list\n"
    "  --screenshot PNG  writes a picture of the window\n"
    "  --save NAME       clicks the save button, types NAME into the save dialog\n"
    "                    (saved into the program's current folder: run the driver from there),\n"
    "                    confirms the completion message and prints the list's count text\n"
    "  --update          turns to the database page, clicks the updater's button and waits\n"
    "                    for the updater's window\n"
    "  --close           closes the window\n";

struct Options {
    std::string window; // the caption (UTF-8); the main window's when empty
    bool refresh = false;
    std::string screenshot;
    std::string save;
    bool update = false;
    bool close = false;
};

// X key symbols of the keys pressed besides characters.
constexpr unsigned long ShiftKey = 0xFFE1;
constexpr unsigned long ReturnKey = 0xFF0D;

// The centres of the buttons and of the database page's tab, from the window's top-left corner.
struct ButtonPlaces {
    POINT refresh{};
    POINT save{};
    POINT databasePage{};
    POINT update{};
};

// The updater's window caption, as the program's updater sets it.
const char* const UpdaterCaption = "升级IP数据库";

POINT CentreFromWindow(HWND window, HWND control) {
    RECT outer{};
    RECT rect{};
    GetWindowRect(window, &outer);
    GetWindowRect(control, &rect);
    return {(rect.left + rect.right) / 2 - outer.left, (rect.top + rect.bottom) / 2 - outer.top};
}

POINT TabCentreFromWindow(HWND window, HWND tabs, int index) {
    RECT outer{};
    RECT rect{};
    GetWindowRect(window, &outer);
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return {(rect.left + rect.right) / 2 - outer.left, (rect.top + rect.bottom) / 2 - outer.top};
}

// Builds the window on the headless display, as the program builds it, and measures it.
ButtonPlaces MeasureButtons() {
    platform::headless::Use();
    // Boxes the measuring window might raise (a missing database...) are answered at once.
    platform::headless::SetIdleHandler([] {
        platform::headless::TypeKey(VK_RETURN);
        return true;
    });
    Application()->OnException = [](TObject*, const Exception&) {};
    std::unique_ptr<TForm1> form(new TForm1(nullptr));
    form->AfterConstruction();
    form->Show();
    platform::headless::RunUntilIdle();
    ButtonPlaces places{};
    places.refresh = CentreFromWindow(form->Handle(), form->Button_Refresh->Handle());
    places.save = CentreFromWindow(form->Handle(), form->Button2->Handle());
    places.databasePage =
        TabCentreFromWindow(form->Handle(), form->PageControl1->Handle(), form->TabSheet2->TabIndex());
    // The database page's controls take their places when the page is shown.
    form->PageControl1->SetActivePage(form->TabSheet2);
    platform::headless::RunUntilIdle();
    places.update = CentreFromWindow(form->Handle(), form->Button3->Handle());
    form.reset();
    platform::headless::SetIdleHandler(nullptr);
    return places;
}

void Click(XTestClient& client, int x, int y) {
    client.MovePointer(x, y);
    client.Button(1, true);
    client.Button(1, false);
}

// Types ASCII text with the keyboard's own keys (Shift for capitals and shifted symbols).
void TypeAscii(XTestClient& client, const std::string& text) {
    const std::string shifted = "~!@#$%^&*()_+{}|:\"<>?";
    for (char c : text) {
        bool shift = (c >= 'A' && c <= 'Z') || shifted.find(c) != std::string::npos;
        if (shift)
            client.Key(ShiftKey, true);
        client.Key(static_cast<unsigned char>(c), true);
        client.Key(static_cast<unsigned char>(c), false);
        if (shift)
            client.Key(ShiftKey, false);
    }
}

void PressReturn(XTestClient& client) {
    client.Key(ReturnKey, true);
    client.Key(ReturnKey, false);
}

// The count text of the saved list as the window's status bar shows it after the start-up view:
// one row per connection, or the single row "空" when none was found.
std::string CountOfSavedList(const std::string& text) {
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    bool empty = text.find("\r\n 空 ") != std::string::npos && lines == 2;
    return CountText(ListingView::RemoteTcp, empty ? 0 : lines - 1);
}

// The saved list, read once it is there (the program saves into its current folder, which is
// the driver's too).
std::string ReadSavedList(const std::string& name) {
    std::string text;
    WaitFor([&] {
        std::ifstream stream(name, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
        return !text.empty();
    });
    return text;
}

int Fail(const std::string& problem) {
    std::fprintf(stderr, "quillmere-drive: %s\n", problem.c_str());
    return 1;
}

int Drive(const Options& options) {
    const char* displayName = std::getenv("DISPLAY");
    if (!displayName || !*displayName)
        return Fail("DISPLAY is not set");
    auto screen = XScreen::Open(displayName);
    auto client = XTestClient::Connect(displayName);
    if (!screen || !client)
        return Fail(std::string("cannot open the display ") + displayName);

    const std::string caption = options.window.empty()
                                    ? platform::GbkToUtf8(std::string("Quillmere") + "VER" + ProgramVersion)
                                    : options.window;
    XWindow main = 0;
    if (!WaitFor(
            [&] {
                for (XWindow window : screen->ShownWindows()) {
                    if (client->WindowName(window) == caption)
                        main = window;
                }
                return main != 0;
            },
            60))
        return Fail("no window \"" + caption + "\" appeared");
    // Only the main window's buttons are clicked.
    ButtonPlaces places =
        options.refresh || !options.save.empty() || options.update ? MeasureButtons() : ButtonPlaces{};
    ScreenRect frame = screen->Geometry(main);
    screen->WaitUntilStill(frame);

    if (options.refresh) {
        Click(*client, frame.x + places.refresh.x, frame.y + places.refresh.y);
        screen->WaitUntilStill(frame);
    }
    if (!options.screenshot.empty()) {
        if (!client->SaveScreenPng(options.screenshot, frame.x, frame.y, frame.width, frame.height))
            return Fail("cannot write " + options.screenshot);
        std::printf("screenshot: %s\n", options.screenshot.c_str());
    }
    if (!options.save.empty()) {
        std::set<XWindow> known;
        for (XWindow window : screen->ShownWindows())
            known.insert(window);
        Click(*client, frame.x + places.save.x, frame.y + places.save.y);
        XWindow dialog = 0;
        if (!WaitFor([&] { return (dialog = screen->NewWindow(known)) != 0; }))
            return Fail("the save dialog did not open");
        known.insert(dialog);
        screen->WaitUntilStill(screen->Geometry(dialog));
        client->Focus(dialog);
        TypeAscii(*client, options.save);
        PressReturn(*client);
        XWindow box = 0;
        if (!WaitFor([&] { return (box = screen->NewWindow(known)) != 0; }))
            return Fail("no completion message after saving");
        screen->WaitUntilStill(screen->Geometry(box));
        client->Focus(box);
        PressReturn(*client);
        if (!WaitFor([&] { return !screen->IsShown(box); }))
            return Fail("the completion message did not close");
        std::printf("saved list: %s\n", options.save.c_str());
        std::printf("count: %s\n",
                    platform::GbkToUtf8(CountOfSavedList(ReadSavedList(options.save))).c_str());
    }
    if (options.update) {
        Click(*client, frame.x + places.databasePage.x, frame.y + places.databasePage.y);
        screen->WaitUntilStill(frame);
        Click(*client, frame.x + places.update.x, frame.y + places.update.y);
        const std::string updater = platform::GbkToUtf8(UpdaterCaption);
        if (!WaitFor([&] {
                for (XWindow window : screen->ShownWindows()) {
                    if (client->WindowName(window) == updater)
                        return true;
                }
                return false;
            }))
            return Fail("the updater's window did not appear");
        std::printf("updater started\n");
    }
    if (options.close) {
        client->SendDeleteWindow(main);
        if (!WaitFor([&] { return !screen->IsShown(main); }))
            return Fail("the window did not close");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (argument == "--refresh") {
            options.refresh = true;
        } else if (argument == "--update") {
            options.update = true;
        } else if (argument == "--close") {
            options.close = true;
        } else if (argument == "--window" && i + 1 < argc) {
            options.window = argv[++i];
        } else if ((argument == "--screenshot" || argument == "--save") && i + 1 < argc) {
            (argument == "--save" ? options.save : options.screenshot) = argv[++i];
        } else {
            std::fprintf(stderr, "quillmere-drive: unknown argument %s\n\n%s", argument.c_str(), Usage);
            return 1;
        }
    }
    return Drive(options);
}
