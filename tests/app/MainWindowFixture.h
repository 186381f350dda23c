#pragma once
// The main window on the headless display, over a fixture /proc tree and a database in a
// folder of its own (the current folder while a test runs). Errors that reach the application
// and message boxes are recorded; a box is answered as soon as it waits for the user.

#include "app/Unit1.h"
#include "tests/platform/process/TestFolder.h"

#include "framework/forms/Application.h"
#include "ipdb/QQWryWriter.h"
#include "platform/display/Headless.h"
#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A message box as the user saw it: caption, text and icon flags.
struct SeenBox {
    std::string caption;
    std::string text;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The fixture's sockets: a listener on 0.0.0.0:80 (pid 100), a connection 10.0.0.1:1025 to
    // 1.2.3.4:80 (pid 200), one to 8.8.8.8:53 (pid 100), a loopback connection (pid 300) and two
    // UDP endpoints (pid 100, and one whose owner is not seen).
    void WriteSockets();
    void WriteDatabase(bool withDate = true);

    // Makes the window as the program does (its creation runs the first listing) and shows it.
    TForm1* OpenWindow();
    // Runs the loop until nothing is left.
    void Pump();
    // Clicks a control at a point of its client area with real input.
    void ClickAt(TControl* control, int x, int y, platform::MouseButton button = platform::MouseButton::Left);
    void ClickControl(TControl* control) { ClickAt(control, control->Width() / 2, control->Height() / 2); }
    // Clicks the middle of a grid cell.
    void ClickCell(int col, int row, platform::MouseButton button = platform::MouseButton::Left);
    std::vector<std::string> GridRow(int row) const;
    std::vector<std::string> GridColumn(int col) const;

    // What the user does when a modal window (a message box, the save dialog) waits for them;
    // the default answers a message box with Enter.
    std::function<void(HWND window)> onModal;

    TestFolder proc;
    TestFolder work;
    std::string oldFolder;
    std::unique_ptr<TForm1> form;
    std::vector<std::string> errors;
    std::vector<SeenBox> boxes;

private:
    static void CALLBACK ActOnModal(HWND, UINT, UINT_PTR, DWORD);

    static MainWindowTest* s_running;
    UINT_PTR m_timer = 0;
    HWND m_lastModal = nullptr;
};

// Every "Static" text of a dialog, in child order, joined by newlines.
std::string DialogTexts(HWND dialog);

// The save dialog's file name edit.
constexpr int SaveDialogNameId = 1152;
bool IsSaveDialog(HWND window);
bool IsMessageBox(HWND window);
