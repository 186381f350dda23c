// The list view's look: the selection in the highlight colours (grey or hidden without the
// focus), full-row selection, grid lines, and the parent's custom drawing stage by stage with
// the colours it picks. The gallery picture is written for a person to look at.

#include "ListViewTestSupport.h"

using namespace testing_support;
using platform::headless::RunUntilIdle;

namespace {

// A row's pixel inside the label, right of the text (window coordinates of the list).
POINT LabelPoint(HWND list, int item, int x) {
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&label));
    RECT window{};
    GetWindowRect(list, &window);
    POINT client{0, 0};
    ClientToScreen(list, &client);
    return POINT{client.x - window.left + label.left + x, client.y - window.top + label.top + 2};
}

void Select(HWND list, int item) {
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

COLORREF PixelAt(HWND list, POINT point) {
    return platform::headless::ReadPixel(list, point.x, point.y);
}

TEST_F(ListViewTest, Selection_ShowsInTheHighlightWhileFocused) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 5, LVS_SHOWSELALWAYS);
    HWND plain = CreateFilled(parent, 5);
    SetWindowPos(plain, nullptr, 0, 205, 300, 90, SWP_NOZORDER);
    Select(list, 1);
    Select(plain, 1);
    SetFocus(list);
    RunUntilIdle();
    EXPECT_EQ(PixelAt(list, LabelPoint(list, 1, 2)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(list, LabelPoint(list, 1, 95)), GetSysColor(COLOR_WINDOW)) << "only the text is marked";
    EXPECT_EQ(PixelAt(list, LabelPoint(list, 2, 2)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelAt(plain, LabelPoint(plain, 1, 2)), GetSysColor(COLOR_WINDOW))
        << "without the focus and without LVS_SHOWSELALWAYS the selection hides";

    SetFocus(parent);
    RunUntilIdle();
    EXPECT_EQ(PixelAt(list, LabelPoint(list, 1, 2)), GetSysColor(COLOR_3DFACE))
        << "grey while another has the focus";

    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    RunUntilIdle();
    EXPECT_EQ(PixelAt(list, LabelPoint(list, 1, 250)), GetSysColor(COLOR_3DFACE))
        << "the whole row is marked";
    const POINT belowRow = LabelPoint(list, 3, 40);
    const int rowBottom = belowRow.y - 2 + (ItemRect(list, 3).bottom - ItemRect(list, 3).top) - 1;
    EXPECT_EQ(platform::headless::ReadPixel(list, belowRow.x, rowBottom), GetSysColor(COLOR_3DFACE))
        << "a grid line under each row";
}

TEST_F(ListViewTest, CustomDraw_AsksStageByStageAndUsesTheParentsColours) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 3);
    RunUntilIdle();
    struct Stage {
        DWORD stage;
        DWORD_PTR item;
        int subItem;
    };
    std::vector<Stage> stages;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != NM_CUSTOMDRAW)
            return std::nullopt;
        auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        stages.push_back({draw.nmcd.dwDrawStage, draw.nmcd.dwItemSpec, draw.iSubItem});
        switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPREPAINT:
            if (draw.nmcd.dwItemSpec == 1)
                return CDRF_NOTIFYSUBITEMDRAW;
            if (draw.nmcd.dwItemSpec == 2)
                return CDRF_SKIPDEFAULT;
            return CDRF_DODEFAULT;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            if (draw.iSubItem == 1)
                draw.clrTextBk = RGB(255, 0, 0);
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
        }
    });
    InvalidateRect(list, nullptr, FALSE);
    RunUntilIdle();
    std::vector<DWORD> order;
    for (const Stage& stage : stages)
        order.push_back(stage.stage);
    EXPECT_EQ(order,
              (std::vector<DWORD>{CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT,
                                  CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPREPAINT | CDDS_SUBITEM,
                                  CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPREPAINT, CDDS_POSTPAINT}));
    EXPECT_EQ(stages[4].subItem, 1);
    EXPECT_EQ(stages[4].item, 1u);

    RECT cell{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    RECT window{};
    GetWindowRect(list, &window);
    OffsetRect(&cell, origin.x - window.left, origin.y - window.top);
    EXPECT_TRUE(AnyPixel(list, cell, RGB(255, 0, 0))) << "the sub-item's background is the parent's red";
    RECT skipped = ItemRect(list, 2);
    OffsetRect(&skipped, origin.x - window.left, origin.y - window.top);
    skipped.right = skipped.left + 60;
    EXPECT_FALSE(AnyPixelBut(list, skipped, GetSysColor(COLOR_WINDOW))) << "a skipped item is not drawn";
}

TEST_F(ListViewTest, Gallery) {
    HWND window = CreateWindowExW(0, u"QuillmereTestWindow", u"List view", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  20, 20, 560, 300, nullptr, nullptr, nullptr, nullptr);
    HWND list = CreateFilled(window, 30, LVS_SHOWSELALWAYS, 260, 240);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SetText(list, 1, 0, u"\u8FDB\u7A0B\u8FDE\u63A5\u5217\u8868 with a long name");
    Select(list, 1);
    HWND plain = CreateFilled(window, 12, LVS_SHOWSELALWAYS, 260, 240);
    SetWindowPos(plain, nullptr, 270, 0, 260, 240, SWP_NOZORDER);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    HBITMAP square = CreateBitmap(16, 16, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, square);
    RECT whole{0, 0, 16, 16};
    FillRect(dc, &whole, GetSysColorBrush(COLOR_WINDOW));
    RECT inner{3, 3, 13, 13};
    HBRUSH blue = CreateSolidBrush(RGB(40, 90, 200));
    FillRect(dc, &inner, blue);
    SelectObject(dc, old);
    ImageList_Add(images, square, nullptr);
    SendMessageW(plain, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    Select(plain, 3);
    SetFocus(plain);
    RunUntilIdle();
    EXPECT_TRUE(
        platform::headless::SaveWindowPng(window, std::string(QUILLMERE_BIN_DIR) + "/gallery-listview.png"));
    DeleteObject(blue);
    DeleteObject(square);
    DeleteDC(dc);
    DestroyWindow(window);
}

} // namespace
