#include "MainWindowFixture.h"
#include "ProcFixture.h"

#include "app/ConnectionColumns.h"
#include "app/LocationText.h"
#include "framework/grid/StringGrid.h"
#include "platform/process/ProcRoot.h"
#include "platform/user/WinUser.h"

#include <cstdio>
#include <unistd.h>

namespace {

constexpr std::uint32_t Address(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}

std::string ClassOf(HWND window) {
    char name[64]{};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[512]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace

bool IsMessageBox(HWND window) {
    return ClassOf(window) == "#32770" && !IsSaveDialog(window) && !DialogTexts(window).empty();
}

bool IsSaveDialog(HWND window) {
    return ClassOf(window) == "#32770" && GetDlgItem(window, SaveDialogNameId) != nullptr;
}

std::string DialogTexts(HWND dialog) {
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string text = TextOf(child);
        if (ClassOf(child) != "Static" || text.empty())
            continue;
        texts += (texts.empty() ? "" : "\n") + text;
    }
    return texts;
}

void MainWindowTest::SetUp() {
    platform::headless::Use();
    Application()->OnException = [this](TObject*, const Exception& error) {
        errors.push_back(error.Message());
    };
    onModal = [](HWND) { platform::headless::TypeKey(VK_RETURN); };
    // A modal loop with an edit keeps a caret timer going, so it never waits idle: the user acts
    // from a timer of the thread, which every loop dispatches.
    s_running = this;
    m_timer = SetTimer(nullptr, 0, 50, &MainWindowTest::ActOnModal);
    WriteSockets();
    char cwd[4096];
    oldFolder = ::getcwd(cwd, sizeof cwd);
    ASSERT_EQ(::chdir(work.Path().c_str()), 0);
}

void MainWindowTest::TearDown() {
    form.reset();
    Application()->ProcessMessages();
    KillTimer(nullptr, m_timer);
    s_running = nullptr;
    Application()->OnException = nullptr;
    platform::SetProcRoot("/proc");
    EXPECT_EQ(::chdir(oldFolder.c_str()), 0);
}

MainWindowTest* MainWindowTest::s_running = nullptr;

void CALLBACK MainWindowTest::ActOnModal(HWND, UINT, UINT_PTR, DWORD) {
    MainWindowTest* test = s_running;
    HWND active = GetActiveWindow();
    if (!test || !active || active == test->m_lastModal ||
        (test->form && test->form->HandleAllocated() && active == test->form->Handle()))
        return;
    test->m_lastModal = active;
    if (IsMessageBox(active))
        test->boxes.push_back({TextOf(active), DialogTexts(active)});
    test->onModal(active);
}

void MainWindowTest::WriteSockets() {
    proc.Write("net/tcp", std::string(ProcNetHeader) +
                              ProcNetLine(Hex(10, 0, 0, 1, 1025), Hex(1, 2, 3, 4, 80), 0x01, 222) +
                              ProcNetLine(Hex(10, 0, 0, 1, 1026), Hex(8, 8, 8, 8, 53), 0x01, 112) +
                              ProcNetLine(Hex(127, 0, 0, 1, 5000), Hex(127, 0, 0, 1, 6000), 0x01, 333) +
                              ProcNetLine(Hex(0, 0, 0, 0, 80), Hex(0, 0, 0, 0, 0), 0x0A, 111));
    proc.Write("net/udp", std::string(ProcNetHeader) +
                              ProcNetLine(Hex(0, 0, 0, 0, 53), Hex(0, 0, 0, 0, 0), 0x07, 444) +
                              ProcNetLine(Hex(127, 0, 0, 1, 323), Hex(0, 0, 0, 0, 0), 0x07, 555));
    AddProcess(proc, 100, "/usr/sbin/fixtured");
    proc.Link("100/fd/3", "socket:[111]");
    proc.Link("100/fd/4", "socket:[444]");
    proc.Link("100/fd/5", "socket:[112]");
    AddProcess(proc, 200, "/usr/bin/browser");
    proc.Link("200/fd/7", "socket:[222]");
    AddProcess(proc, 300, "/usr/bin/loop");
    proc.Link("300/fd/1", "socket:[333]");
    platform::SetProcRoot(proc.Path());
}

void MainWindowTest::WriteDatabase(bool withDate) {
    std::vector<std::uint8_t> bytes =
        QQWryWriter::Build({{0, Address(1, 2, 3, 3), "保留地址", "本地"},
                            {Address(1, 2, 3, 4), Address(1, 2, 3, 255), "澳大利亚", "墨尔本"},
                            {Address(1, 2, 4, 0), Address(8, 8, 8, 255), "美国", ""},
                            {Address(9, 0, 0, 0), Address(255, 255, 255, 254), "IANA", "保留"},
                            {Address(255, 255, 255, 255), Address(255, 255, 255, 255), "示例数据",
                             withDate ? "2010年5月23日IP数据" : "IP数据"}});
    work.Write(LocationDatabaseName, std::string(bytes.begin(), bytes.end()));
}

TForm1* MainWindowTest::OpenWindow() {
    form.reset(new TForm1(nullptr));
    form->AfterConstruction();
    form->Show();
    Pump();
    return form.get();
}

void MainWindowTest::Pump() {
    Application()->ProcessMessages();
    platform::headless::RunUntilIdle();
    Application()->ProcessMessages();
}

void MainWindowTest::ClickAt(TControl* control, int x, int y, platform::MouseButton button) {
    TPoint point = control->ClientToScreen(Point(x, y));
    platform::headless::Click(point.x, point.y, button);
    Pump();
}

void MainWindowTest::ClickCell(int col, int row, platform::MouseButton button) {
    TRect rect = form->StringGrid1->CellRect(col, row);
    ClickAt(form->StringGrid1, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, button);
}

std::vector<std::string> MainWindowTest::GridRow(int row) const {
    std::vector<std::string> texts;
    for (int col = 0; col < form->StringGrid1->ColCount(); ++col)
        texts.push_back(form->StringGrid1->Cells(col, row));
    return texts;
}

std::vector<std::string> MainWindowTest::GridColumn(int col) const {
    std::vector<std::string> texts;
    for (int row = 1; row < form->StringGrid1->RowCount(); ++row)
        texts.push_back(form->StringGrid1->Cells(col, row));
    return texts;
}
