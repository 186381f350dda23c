// The tool bar: buttons and texts in and out, its own size across the top of its parent and
// rows that wrap, clicks that command the parent, check buttons and groups, drop-down buttons,
// hot tracking, the keyboard, custom drawing stage by stage, and a gallery picture.

#include "../CommonControlTestSupport.h"

#include <algorithm>

using namespace testing_support;
using platform::headless::Click;
using platform::headless::MoveMouse;
using platform::headless::PressButton;
using platform::headless::ReleaseButton;
using platform::headless::RunUntilIdle;
using platform::headless::TypeKey;

namespace {

enum Command { Open = 101, Save, Bold, Left, Right, Drop, Off };

class ToolBarTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        AlsoHandle([this](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_COMMAND)
                m_commands.push_back(LOWORD(wParam));
            return std::nullopt;
        });
    }

    static HWND CreateBar(HWND parent, DWORD style = 0) {
        return CreateWindowExW(0, TOOLBARCLASSNAMEW, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(9), nullptr, nullptr);
    }

    // Open, Save, a separator, Bold (check), Left and Right (a group), Drop (drop-down) and a
    // disabled button; texts from the bar's strings.
    static HWND CreateFull(HWND parent, DWORD style = 0) {
        HWND bar = CreateBar(parent, style);
        SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(bar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(u"Open\0Save\0"));
        const TBBUTTON buttons[] = {
            {0, Open, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
            {1, Save, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 1},
            {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, -1},
            {2, Bold, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, -1},
            {3, Left, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECKGROUP, {}, 0, -1},
            {4, Right, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, -1},
            {5, Drop, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 7, -1},
            {6, Off, 0, BTNS_BUTTON, {}, 0, -1},
        };
        SendMessageW(bar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
        SendMessageW(bar, TB_AUTOSIZE, 0, 0);
        return bar;
    }

    static RECT ButtonRect(HWND bar, int index) {
        RECT rect{};
        SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    static POINT Middle(HWND bar, int index) {
        const RECT rect = ButtonRect(bar, index);
        return ScreenPoint(bar, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    void ClickButton(HWND bar, int index) {
        const POINT point = Middle(bar, index);
        Click(point.x, point.y);
        RunUntilIdle();
    }

    static bool Checked(HWND bar, int command) {
        return SendMessageW(bar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(command), 0) > 0;
    }

    std::vector<WORD> m_commands;
};

TEST_F(ToolBarTest, ButtonsAndTexts_InAndOut) {
    HWND parent = CreateParent();
    HWND bar = CreateFull(parent);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 8);
    EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, Bold, 0), 3);
    TBBUTTON button{};
    EXPECT_TRUE(SendMessageW(bar, TB_GETBUTTON, 6, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(button.idCommand, Drop);
    EXPECT_EQ(button.dwData, 7u);

    char narrow[16] = {};
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, Save, reinterpret_cast<LPARAM>(narrow)), 4);
    EXPECT_STREQ(narrow, "Save");
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONTEXTW, Save, 0), 4) << "the length alone without a buffer";

    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_IMAGE;
    info.pszText = const_cast<LPSTR>("保存");
    info.iImage = 9;
    EXPECT_TRUE(SendMessageA(bar, TB_SETBUTTONINFOA, Save, reinterpret_cast<LPARAM>(&info)));
    WCHAR wide[16] = {};
    TBBUTTONINFOW back{};
    back.cbSize = sizeof back;
    back.dwMask = TBIF_TEXT | TBIF_IMAGE | TBIF_STATE | TBIF_COMMAND | TBIF_BYINDEX;
    back.pszText = wide;
    back.cchText = 16;
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFOW, 1, reinterpret_cast<LPARAM>(&back)), 1);
    EXPECT_EQ(std::u16string(wide), u"\u4FDD\u5B58");
    EXPECT_EQ(back.iImage, 9);
    EXPECT_EQ(back.idCommand, Save);
    back.cbSize = 3;
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFOW, 1, reinterpret_cast<LPARAM>(&back)), -1) << "a wrong size";

    const TBBUTTON inserted{7, 300, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>("新建")};
    EXPECT_TRUE(SendMessageA(bar, TB_INSERTBUTTONA, 0, reinterpret_cast<LPARAM>(&inserted)));
    EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 300, 0), 0);
    EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONTEXTW, 300, reinterpret_cast<LPARAM>(wide)), 2);
    EXPECT_TRUE(SendMessageW(bar, TB_MOVEBUTTON, 0, 2));
    EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 300, 0), 2);
    EXPECT_TRUE(SendMessageW(bar, TB_DELETEBUTTON, 2, 0));
    EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 300, 0), -1);
    EXPECT_FALSE(SendMessageW(bar, TB_DELETEBUTTON, 8, 0));
    EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONENABLED, 999, 0), -1) << "no such button";
}

TEST_F(ToolBarTest, SizesItselfAcrossTheTopAndWrapsItsRows) {
    HWND parent = CreateParent(400, 300);
    HWND bar = CreateFull(parent, TBSTYLE_WRAPABLE);
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    RECT place{};
    GetWindowRect(bar, &place);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    EXPECT_EQ(place.left, origin.x);
    EXPECT_EQ(place.top, origin.y);
    EXPECT_EQ(place.right - place.left, 400);
    const RECT first = ButtonRect(bar, 0);
    const RECT separator = ButtonRect(bar, 2);
    EXPECT_EQ(separator.right - separator.left, 8);
    EXPECT_EQ(ButtonRect(bar, 3).left, separator.right);
    EXPECT_EQ(place.bottom - place.top, first.bottom + 2) << "as tall as its buttons";
    const LRESULT size = SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
    EXPECT_EQ(LOWORD(size), first.right - first.left);

    EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(40, 30)));
    EXPECT_EQ(ButtonRect(bar, 0).right - ButtonRect(bar, 0).left, 40);
    MoveWindow(parent, 100, 100, 160, 200, TRUE);
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    EXPECT_GT(SendMessageW(bar, TB_GETROWS, 0, 0), 1) << "a narrow parent wraps the buttons";
    GetWindowRect(bar, &place);
    EXPECT_EQ(place.bottom - place.top, ButtonRect(bar, 7).bottom + 2);

    HWND bottom = CreateFull(parent, CCS_BOTTOM);
    RECT client{};
    GetClientRect(parent, &client);
    POINT corner{0, client.bottom};
    ClientToScreen(parent, &corner);
    GetWindowRect(bottom, &place);
    EXPECT_EQ(place.bottom, corner.y) << "CCS_BOTTOM sits at the bottom";
}

TEST_F(ToolBarTest, ClicksCommandTheParent_CheckButtonsAndGroupsTakeTheirState) {
    HWND parent = CreateParent();
    HWND bar = CreateFull(parent);
    RunUntilIdle();
    m_notifications.clear();
    ClickButton(bar, 0);
    EXPECT_EQ(m_commands, std::vector<WORD>{Open});
    std::vector<UINT> codes = NotifyCodes();
    codes.erase(std::remove(codes.begin(), codes.end(), NM_CUSTOMDRAW), codes.end());
    EXPECT_EQ(codes, std::vector<UINT>{NM_CLICK}) << "before the command";

    // Let go elsewhere: no click.
    const POINT save = Middle(bar, 1);
    PressButton(save.x, save.y);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONPRESSED, Save, 0), TRUE);
    MoveMouse(save.x, save.y + 80);
    ReleaseButton(save.x, save.y + 80);
    RunUntilIdle();
    EXPECT_EQ(m_commands.size(), 1u);
    EXPECT_EQ(SendMessageW(bar, TB_ISBUTTONPRESSED, Save, 0), FALSE);

    ClickButton(bar, 3);
    EXPECT_TRUE(Checked(bar, Bold));
    ClickButton(bar, 3);
    EXPECT_FALSE(Checked(bar, Bold));
    ClickButton(bar, 5);
    EXPECT_TRUE(Checked(bar, Right));
    EXPECT_FALSE(Checked(bar, Left)) << "one of a group is checked";
    ClickButton(bar, 5);
    EXPECT_TRUE(Checked(bar, Right)) << "a checked group button stays checked";
    EXPECT_TRUE(SendMessageW(bar, TB_CHECKBUTTON, Left, TRUE));
    EXPECT_FALSE(Checked(bar, Right));

    m_commands.clear();
    ClickButton(bar, 7);
    EXPECT_TRUE(m_commands.empty()) << "a disabled button does nothing";
    EXPECT_TRUE(SendMessageW(bar, TB_ENABLEBUTTON, Off, TRUE));
    ClickButton(bar, 7);
    EXPECT_EQ(m_commands, std::vector<WORD>{Off});
    EXPECT_TRUE(SendMessageW(bar, TB_HIDEBUTTON, Off, TRUE));
    RECT hidden{};
    EXPECT_FALSE(SendMessageW(bar, TB_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&hidden)))
        << "a hidden button has no place";
}

TEST_F(ToolBarTest, DropDownButtons_AskTheParent) {
    HWND parent = CreateParent();
    HWND bar = CreateFull(parent);
    RunUntilIdle();
    std::vector<int> dropped;
    LRESULT answer = TBDDRET_DEFAULT;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != TBN_DROPDOWN)
            return std::nullopt;
        const auto& notice = reinterpret_cast<const NMTOOLBARW&>(header);
        dropped.push_back(notice.iItem);
        EXPECT_TRUE(notice.tbButton.fsState & TBSTATE_PRESSED) << "shown pressed while it is down";
        return answer;
    });
    ClickButton(bar, 6);
    EXPECT_EQ(dropped, std::vector<int>{Drop}) << "without split arrows the whole button drops down";
    EXPECT_TRUE(m_commands.empty());

    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    RunUntilIdle();
    const RECT rect = ButtonRect(bar, 6);
    const POINT body = ScreenPoint(bar, rect.left + 4, (rect.top + rect.bottom) / 2);
    Click(body.x, body.y);
    RunUntilIdle();
    EXPECT_EQ(m_commands, std::vector<WORD>{Drop}) << "the body of a split button clicks";
    const POINT arrow = ScreenPoint(bar, ButtonRect(bar, 6).right - 3, (rect.top + rect.bottom) / 2);
    dropped.clear();
    answer = TBDDRET_TREATPRESSED;
    Click(arrow.x, arrow.y);
    RunUntilIdle();
    EXPECT_EQ(dropped, std::vector<int>{Drop});
    EXPECT_EQ(m_commands.size(), 2u) << "treated as pressed, the arrow clicks too";
}

TEST_F(ToolBarTest, HotTrackingAndKeys) {
    HWND parent = CreateParent();
    HWND bar = CreateFull(parent, TBSTYLE_FLAT);
    RunUntilIdle();
    std::vector<std::pair<int, int>> hot;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == TBN_HOTITEMCHANGE) {
            const auto& notice = reinterpret_cast<const NMTBHOTITEM&>(header);
            hot.emplace_back(notice.idOld, notice.idNew);
        }
        return std::nullopt;
    });
    const POINT save = Middle(bar, 1);
    MoveMouse(save.x, save.y);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(bar, TB_GETHOTITEM, 0, 0), 1);
    MoveMouse(save.x, save.y + 100);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(bar, TB_GETHOTITEM, 0, 0), -1);
    EXPECT_EQ(hot, (std::vector<std::pair<int, int>>{{0, Save}, {Save, 0}}));

    SetFocus(bar);
    EXPECT_EQ(SendMessageW(bar, TB_GETHOTITEM, 0, 0), 0) << "the focus makes the first button hot";
    TypeKey(VK_RIGHT);
    TypeKey(VK_RIGHT);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(bar, TB_GETHOTITEM, 0, 0), 3) << "the separator is passed over";
    MSG enter{bar, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(SendMessageW(bar, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE)
        << "Enter is the hot button's, not the dialog's";
    TypeKey(VK_RETURN);
    RunUntilIdle();
    EXPECT_TRUE(Checked(bar, Bold));
    EXPECT_EQ(m_commands, std::vector<WORD>{Bold});
    TypeKey(VK_LEFT);
    TypeKey(VK_LEFT);
    TypeKey(VK_LEFT);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(bar, TB_GETHOTITEM, 0, 0), 6) << "round to the last enabled button";
}

TEST_F(ToolBarTest, CustomDraw_StageByStageWithEachButtonsState) {
    HWND parent = CreateParent();
    HWND bar = CreateFull(parent, TBSTYLE_FLAT | TBSTYLE_CUSTOMERASE);
    RunUntilIdle();
    std::vector<DWORD> stages;
    std::vector<std::pair<DWORD_PTR, UINT>> items;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != NM_CUSTOMDRAW)
            return std::nullopt;
        const auto& draw = reinterpret_cast<const NMTBCUSTOMDRAW&>(header);
        stages.push_back(draw.nmcd.dwDrawStage);
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            items.emplace_back(draw.nmcd.dwItemSpec, draw.nmcd.uItemState);
            return draw.nmcd.dwItemSpec == Save ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
        }
        return draw.nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT
                                                      : CDRF_DODEFAULT;
    });
    InvalidateRect(bar, nullptr, FALSE);
    RunUntilIdle();
    ASSERT_GE(stages.size(), 3u);
    EXPECT_EQ(stages[0], CDDS_PREERASE);
    EXPECT_EQ(stages[1], CDDS_PREPAINT);
    EXPECT_EQ(stages.back(), CDDS_POSTPAINT);
    ASSERT_EQ(items.size(), 7u) << "every button but the separator";
    EXPECT_EQ(items[2].first, static_cast<DWORD_PTR>(Bold));
    EXPECT_EQ(items[3].second, CDIS_CHECKED) << "Left is checked";
    EXPECT_EQ(items[6].second, CDIS_DISABLED);

    // The skipped button is not drawn: its place keeps the face colour.
    RECT save = ButtonRect(bar, 1);
    RECT window{};
    GetWindowRect(bar, &window);
    POINT origin{0, 0};
    ClientToScreen(bar, &origin);
    OffsetRect(&save, origin.x - window.left, origin.y - window.top);
    EXPECT_FALSE(AnyPixelBut(bar, save, GetSysColor(COLOR_BTNFACE)));
}

TEST_F(ToolBarTest, Gallery) {
    HWND window = CreateWindowExW(0, u"QuillmereTestWindow", u"Tool bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  20, 20, 420, 200, nullptr, nullptr, nullptr, nullptr);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 7, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    for (int k = 0; k < 7; ++k) {
        HBITMAP picture = CreateBitmap(16, 16, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(dc, picture);
        RECT whole{0, 0, 16, 16};
        HBRUSH back = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &whole, back);
        DeleteObject(back);
        RECT mark{2 + k % 3, 2, 14, 14 - k % 4};
        HBRUSH colour = CreateSolidBrush(RGB(40 * k, 120, 220 - 30 * k));
        FillRect(dc, &mark, colour);
        DeleteObject(colour);
        SelectObject(dc, old);
        ImageList_AddMasked(images, picture, RGB(255, 0, 255));
        DeleteObject(picture);
    }
    DeleteDC(dc);
    HWND raised = CreateFull(window);
    SendMessageW(raised, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(raised, TB_AUTOSIZE, 0, 0);
    HWND flat = CreateFull(window, TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NODIVIDER);
    SendMessageW(flat, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(flat, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SetWindowPos(flat, nullptr, 0, 80, 400, 40, SWP_NOZORDER);
    SendMessageW(flat, TB_AUTOSIZE, 0, 0);
    RunUntilIdle();
    const POINT open = Middle(flat, 0);
    MoveMouse(open.x, open.y);
    RunUntilIdle();
    EXPECT_TRUE(
        platform::headless::SaveWindowPng(window, std::string(QUILLMERE_BIN_DIR) + "/gallery-toolbar.png"));
    DestroyWindow(window);
    ImageList_Destroy(images);
}

} // namespace
