// The main window on the headless display: its controls as designed, start-up, the refresh
// command with each view, header clicks through the mouse, and the selected row's process name.

#include "MainWindowFixture.h"

#include "app/ConnectionColumns.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/Panels.h"

using Texts = std::vector<std::string>;
using platform::MouseButton;

namespace {

TEST_F(MainWindowTest, StartsWithItsCaptionColumnsAndTheRemoteView) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    EXPECT_EQ(window->Caption(), "QuillmereVER1.0.20100523");
    // The design size is the classic frame's; the skinned frame keeps the client area.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(window->ClientWidth(), 636 - (frame.right - frame.left));
    EXPECT_EQ(window->ClientHeight(), 525 - (frame.bottom - frame.top));
    EXPECT_EQ(window->Font()->Name(), "宋体");
    EXPECT_EQ(window->Font()->Height(), -12);
    EXPECT_EQ(window->StringGrid1->Font()->Name(), "宋体") << "every control has the window's font";
    EXPECT_EQ(window->Button_Refresh->Font()->Height(), -12);

    TStringGrid* grid = window->StringGrid1;
    ASSERT_EQ(grid->ColCount(), ConnectionColumnCount);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->DefaultRowHeight(), 20);
    EXPECT_TRUE(grid->Options().Contains(goRowSelect));
    EXPECT_TRUE(grid->Options().Contains(goColSizing));
    EXPECT_TRUE(grid->Options().Contains(goThumbTracking));
    const int widths[] = {38, 120, 118, 165, 72, 51, 162, 530, 64};
    for (int col = 0; col < ConnectionColumnCount; ++col) {
        EXPECT_EQ(grid->Cells(col, 0), ConnectionColumnTitles[col]);
        EXPECT_EQ(grid->ColWidths(col), widths[col]) << col;
    }

    EXPECT_TRUE(window->Radio_Remotetcp->Checked());
    EXPECT_FALSE(window->Radio_TcpUDP->Checked() || window->Radio_Tcp->Checked() ||
                 window->Radio_UDP->Checked());
    struct Placed {
        TControl* control;
        const char* caption;
        int left, top, width, height;
    };
    for (const Placed& placed :
         std::vector<Placed>{{window->Radio_TcpUDP, "显示TCP/UDP", 13, 7, 87, 17},
                             {window->Radio_Tcp, "只显示TCP", 109, 7, 77, 17},
                             {window->Radio_UDP, "只显示UDP", 195, 7, 89, 17},
                             {window->Radio_Remotetcp, "只显示远程连接", 281, 7, 110, 17},
                             {window->Button_Refresh, "刷新", 416, 2, 50, 24},
                             {window->Button2, "保存", 476, 2, 50, 24},
                             {window->Button1, "更新", 537, 2, 50, 24}}) {
        EXPECT_EQ(placed.control->Caption(), placed.caption);
        EXPECT_EQ(placed.control->Parent(), window->Panel1) << placed.caption;
        EXPECT_EQ(placed.control->Left(), placed.left) << placed.caption;
        EXPECT_EQ(placed.control->Top(), placed.top) << placed.caption;
        EXPECT_EQ(placed.control->Width(), placed.width) << placed.caption;
        EXPECT_EQ(placed.control->Height(), placed.height) << placed.caption;
    }
    EXPECT_EQ(window->Button_TCPUDP->Caption(), "TCPUDP");
    EXPECT_EQ(window->Button_TCP->Caption(), "TCP");
    EXPECT_EQ(window->Button_UDP->Caption(), "UDP");
    EXPECT_EQ(window->Button_Remotetcp->Caption(), "Remotetcp");
    for (TButton* hidden :
         {window->Button_TCPUDP, window->Button_TCP, window->Button_UDP, window->Button_Remotetcp})
        EXPECT_FALSE(hidden->Visible());
    EXPECT_TRUE(window->Button_Refresh->Enabled());
    EXPECT_EQ(window->Panel1->Align(), alTop);
    EXPECT_EQ(window->Panel1->Height(), 32);
    EXPECT_EQ(window->Panel1->BevelOuter(), bvNone);
    EXPECT_EQ(window->Panel2->Align(), alBottom);
    EXPECT_EQ(window->Panel2->Height(), 52);
    EXPECT_EQ(window->Panel2->Caption(), "合理的分析网络连接可以检测电脑是否被安装了木马或是中毒。");
    EXPECT_EQ(grid->Align(), alClient);
    EXPECT_EQ(grid->Top(), 32);
    EXPECT_EQ(grid->Top() + grid->Height(), window->Panel2->Top());
    EXPECT_FALSE(window->Edit_Ver->Visible());
    EXPECT_EQ(window->Edit_Ver->Text(), "1.0.20100523");

    // The first listing: the remote TCP view, the local and loopback connections left out.
    EXPECT_EQ(GridColumn(ColumnRemote), (Texts{"1.2.3.4:80", "8.8.8.8:53"}));
    EXPECT_EQ(GridRow(1), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "澳大利亚 墨尔本", "已建立", "200",
                                 "browser", "/usr/bin/browser", ""}));
    EXPECT_EQ(grid->Cells(ColumnLocation, 2), "美国 无");
    EXPECT_EQ(window->StatusText(2), "发现 TCP 连接端口： 2 个");
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, EachRadioChoiceTakesEffectOnTheNextRefresh) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ClickControl(window->Radio_TcpUDP);
    EXPECT_TRUE(window->Radio_TcpUDP->Checked());
    EXPECT_FALSE(window->Radio_Remotetcp->Checked());
    EXPECT_EQ(window->StringGrid1->RowCount(), 3) << "choosing a view alone lists nothing";

    ClickControl(window->Button_Refresh);
    EXPECT_EQ(GridColumn(ColumnProtocol), (Texts{"TCP", "TCP", "TCP", "TCP", "UDP", "UDP"}));
    EXPECT_EQ(window->StringGrid1->Cells(ColumnLocation, 2), "澳大利亚  墨尔本");
    EXPECT_EQ(window->StatusText(2), "发现 TCP/UDP 连接端口： 6 个");
    EXPECT_TRUE(window->Button_Refresh->Enabled());
    // A picture of the window with every kind of row, for a person to look at (the README's).
    platform::headless::SaveWindowPng(window->Handle(),
                                      std::string(QUILLMERE_BIN_DIR) + "/quillmere-window.png");

    ClickControl(window->Radio_Tcp);
    ClickControl(window->Button_Refresh);
    EXPECT_EQ(GridColumn(ColumnLocation), (Texts{"本机地址", "澳大利亚 墨尔本", "美国 无", "本机地址"}));
    EXPECT_EQ(window->StatusText(2), "发现 TCP 连接端口： 4 个");

    ClickControl(window->Radio_UDP);
    ClickControl(window->Button_Refresh);
    EXPECT_EQ(GridRow(1),
              (Texts{"UDP", "0.0.0.0:53", "*.*.*.*:*", "", "", "100", "fixtured", "/usr/sbin/fixtured", ""}));
    EXPECT_EQ(window->StatusText(2), "发现 UDP 连接端口： 2 个");

    ClickControl(window->Radio_Remotetcp);
    ClickControl(window->Button_Refresh);
    EXPECT_EQ(window->StatusText(2), "发现 TCP 连接端口： 2 个");
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, ARefreshWithoutTheDatabaseStopsAtTheFirstLookupWithoutAMessage) {
    TForm1* window = OpenWindow();
    ASSERT_EQ(window->StringGrid1->RowCount(), 2);
    EXPECT_EQ(GridRow(1), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "", "", "", "", "", ""}));
    EXPECT_EQ(window->StatusText(2), "");
    EXPECT_TRUE(window->Button_Refresh->Enabled());

    ClickControl(window->Radio_UDP);
    ClickControl(window->Button_Refresh);
    EXPECT_EQ(window->StatusText(2), "发现 UDP 连接端口： 2 个");
}

TEST_F(MainWindowTest, AFailedTableFetchWarnsAndAnEmptyListShowsItsRow) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    std::filesystem::remove(proc / "net/tcp");
    std::filesystem::remove(proc / "net/udp");
    std::vector<bool> refreshEnabled;
    onModal = [&](HWND) {
        refreshEnabled.push_back(window->Button_Refresh->Enabled());
        platform::headless::TypeKey(VK_RETURN);
    };
    ClickControl(window->Radio_TcpUDP);
    ClickControl(window->Button_Refresh);
    EXPECT_EQ(refreshEnabled, (std::vector<bool>{false, false})) << "the button is disabled while it lists";
    EXPECT_TRUE(window->Button_Refresh->Enabled());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "调用失败");
    EXPECT_EQ(boxes[0].text, "无法获取TCP连接表");
    EXPECT_EQ(boxes[1].text, "无法获取UDP连接表");
    EXPECT_EQ(GridRow(1), (Texts{"空", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(window->StatusText(2), "发现 TCP/UDP 连接端口： 0 个");
}

TEST_F(MainWindowTest, HeaderClicksSortAscendingThenDescending) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ClickControl(window->Radio_TcpUDP);
    ClickControl(window->Button_Refresh);

    ClickCell(ColumnProcessId, 0);
    EXPECT_EQ(GridColumn(ColumnProcessId), (Texts{"0", "100", "100", "100", "200", "300"}));
    EXPECT_EQ(window->LastSortColumn(), ColumnProcessId);
    ClickCell(ColumnProcessId, 0);
    EXPECT_EQ(GridColumn(ColumnProcessId).front(), "300");
    EXPECT_EQ(window->LastSortColumn(), NoSortColumn);

    // The protocol column: ascending puts TCP first, then descending, then ascending again.
    ClickCell(ColumnProtocol, 0);
    EXPECT_EQ(GridColumn(ColumnProtocol).front(), "TCP");
    ClickCell(ColumnProtocol, 0);
    EXPECT_EQ(GridColumn(ColumnProtocol).front(), "UDP");
    ClickCell(ColumnProtocol, 0);
    EXPECT_EQ(GridColumn(ColumnProtocol).front(), "TCP");

    // Another header starts ascending again; the middle button sorts too.
    ClickCell(ColumnRemote, 0);
    ClickCell(ColumnLocal, 0, MouseButton::Middle);
    ClickCell(ColumnRemote, 0);
    Texts remote = GridColumn(ColumnRemote);
    EXPECT_TRUE(std::is_sorted(remote.begin(), remote.end()));

    // Whole rows move: each row keeps its own texts.
    for (int row = 1; row < window->StringGrid1->RowCount(); ++row) {
        if (window->StringGrid1->Cells(ColumnRemote, row) == "1.2.3.4:80") {
            EXPECT_EQ(window->StringGrid1->Cells(ColumnProcessName, row), "browser");
        }
    }
}

TEST_F(MainWindowTest, TheRightButtonAndDataRowsDoNotSort) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ClickControl(window->Radio_Tcp);
    ClickControl(window->Button_Refresh);
    Texts before = GridColumn(ColumnRemote);
    ClickCell(ColumnRemote, 0, MouseButton::Right);
    ClickCell(ColumnRemote, 2);
    EXPECT_EQ(GridColumn(ColumnRemote), before);
    EXPECT_EQ(window->LastSortColumn(), NoSortColumn);
}

TEST_F(MainWindowTest, AnEmptyListStaysAsItIsUnderHeaderClicks) {
    WriteDatabase();
    std::filesystem::remove(proc / "net/tcp");
    TForm1* window = OpenWindow();
    boxes.clear();
    ClickCell(ColumnProtocol, 0);
    ClickCell(ColumnProtocol, 0);
    EXPECT_EQ(GridRow(1), (Texts{"空", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(window->StringGrid1->RowCount(), 2);
}

TEST_F(MainWindowTest, SelectingARowByMouseOrKeyboardShowsItsProcessName) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ClickControl(window->Radio_TcpUDP);
    ClickControl(window->Button_Refresh);
    ClickCell(ColumnState, 2);
    EXPECT_EQ(window->StatusText(0), "browser");
    platform::headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(window->StringGrid1->Row(), 3);
    EXPECT_EQ(window->StatusText(0), window->StringGrid1->Cells(ColumnProcessName, 3));
    // A row whose process is not known empties the panel.
    ClickCell(ColumnState, 6);
    EXPECT_EQ(window->StringGrid1->Cells(ColumnProcessName, 6), "");
    EXPECT_EQ(window->StatusText(0), "");
    // Re-listing keeps the panel's text.
    ClickCell(ColumnState, 1);
    std::string shown = window->StatusText(0);
    ClickControl(window->Button_Refresh);
    EXPECT_EQ(window->StatusText(0), shown);
}

} // namespace
