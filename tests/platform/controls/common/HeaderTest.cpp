// The header control: items in both character sets and in a display order, layout, hit tests,
// notifications in the parent's character set with its answers honoured, resizing by dragging
// a divider, clicks, the divider cursor, and painting.

#include "../CommonControlTestSupport.h"

using namespace testing_support;
using platform::headless::MoveMouse;
using platform::headless::PressButton;
using platform::headless::ReleaseButton;
using platform::headless::RunUntilIdle;

namespace {

class HeaderTest : public CommonControlTest {
protected:
    HWND CreateHeader(HWND parent, DWORD style = HDS_BUTTONS, int width = 400) {
        return CreateWindowExW(0, WC_HEADERW, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, 20, parent,
                               reinterpret_cast<HMENU>(6), nullptr, nullptr);
    }

    static int Insert(HWND header, int index, const char16_t* text, int width) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<LPWSTR>(text);
        item.cxy = width;
        item.fmt = HDF_LEFT | HDF_STRING;
        return static_cast<int>(SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&item)));
    }

    static RECT ItemRect(HWND header, int index) {
        RECT rect{};
        EXPECT_TRUE(SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }

    static int Width(HWND header, int index) {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return item.cxy;
    }

    // Three items of 100, 80 and 120 pixels.
    HWND CreateThree(HWND parent, DWORD style = HDS_BUTTONS) {
        HWND header = CreateHeader(parent, style);
        Insert(header, 0, u"\u534F\u8BAE", 100);
        Insert(header, 1, u"Local", 80);
        Insert(header, 2, u"Remote", 120);
        return header;
    }
};

TEST_F(HeaderTest, Items_InBothCharacterSetsAndInDisplayOrder) {
    HWND parent = CreateParent();
    HWND header = CreateThree(parent);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemRect(header, 1), (RECT{100, 0, 180, 20}));

    // The skin's question: text, format and image, 201 characters of room.
    WCHAR wide[201] = {};
    HDITEMW item{};
    item.mask = 0x26;
    item.pszText = wide;
    item.cchTextMax = 201;
    EXPECT_TRUE(SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::u16string(wide), u"\u534F\u8BAE");
    EXPECT_EQ(item.fmt, HDF_LEFT | HDF_STRING);
    EXPECT_EQ(item.iImage, -1);

    HDITEMA narrow{};
    narrow.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM | HDI_IMAGE | HDI_ORDER;
    narrow.pszText = const_cast<LPSTR>("位置");
    narrow.cxy = 60;
    narrow.fmt = HDF_CENTER | HDF_STRING | HDF_IMAGE;
    narrow.lParam = 9;
    narrow.iImage = 2;
    narrow.iOrder = 0;
    EXPECT_EQ(SendMessageA(header, HDM_INSERTITEMA, 99, reinterpret_cast<LPARAM>(&narrow)), 3);
    EXPECT_EQ(ItemRect(header, 3), (RECT{0, 0, 60, 20})) << "shown first";
    EXPECT_EQ(ItemRect(header, 0), (RECT{60, 0, 160, 20}));
    int order[4] = {};
    EXPECT_TRUE(SendMessageW(header, HDM_GETORDERARRAY, 4, reinterpret_cast<LPARAM>(order)));
    EXPECT_EQ(std::vector<int>(order, order + 4), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_EQ(SendMessageW(header, HDM_ORDERTOINDEX, 0, 0), 3);

    char text[32] = {};
    HDITEMA back{};
    back.mask = HDI_TEXT | HDI_LPARAM | HDI_IMAGE | HDI_ORDER | HDI_FORMAT;
    back.pszText = text;
    back.cchTextMax = 32;
    EXPECT_TRUE(SendMessageA(header, HDM_GETITEMA, 3, reinterpret_cast<LPARAM>(&back)));
    EXPECT_EQ(std::string(text), "位置");
    EXPECT_EQ(back.lParam, 9);
    EXPECT_EQ(back.iImage, 2);
    EXPECT_EQ(back.iOrder, 0);
    EXPECT_EQ(back.fmt, HDF_CENTER | HDF_STRING | HDF_IMAGE);

    EXPECT_TRUE(SendMessageW(header, HDM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemRect(header, 0), (RECT{60, 0, 140, 20})) << "\"Local\" is item 0 now";
    EXPECT_FALSE(SendMessageW(header, HDM_DELETEITEM, 3, 0));
    EXPECT_FALSE(SendMessageW(header, HDM_GETITEMW, 3, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item)),
              -1);
}

TEST_F(HeaderTest, LayoutHitTestAndImageList) {
    HWND parent = CreateParent();
    HWND header = CreateThree(parent);
    RECT area{10, 20, 310, 220};
    WINDOWPOS place{};
    HDLAYOUT layout{&area, &place};
    EXPECT_TRUE(SendMessageW(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_EQ(place.hwnd, header);
    EXPECT_EQ(place.x, 10);
    EXPECT_EQ(place.y, 20);
    EXPECT_EQ(place.cx, 300);
    EXPECT_EQ(place.cy, 19) << "a 15-pixel line and two pixels above and below";
    EXPECT_EQ(area.top, 39);

    HDHITTESTINFO info{{50, 5}, 0, -1};
    EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.flags, HHT_ONHEADER);
    info.pt = POINT{102, 5};
    EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.flags, HHT_ONDIVIDER) << "a divider belongs to the item on its left";
    info.pt = POINT{350, 5};
    EXPECT_EQ(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
    EXPECT_EQ(info.flags, HHT_NOWHERE);
    info.pt = POINT{50, 30};
    SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.flags, HHT_BELOW);

    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    EXPECT_EQ(SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
    EXPECT_EQ(SendMessageW(header, HDM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images));
    DestroyWindow(header);
    ImageList_Destroy(images);
}

TEST_F(HeaderTest, SetItem_AsksAndTellsTheParentInItsCharacterSet) {
    HWND wideParent = CreateParent();
    HWND header = CreateThree(wideParent);
    std::vector<int> widths;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == HDN_ITEMCHANGINGW) {
            widths.push_back(reinterpret_cast<const NMHEADERW&>(header).pitem->cxy);
            return widths.size() > 1 ? TRUE : FALSE;
        }
        return std::nullopt;
    });
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 150;
    EXPECT_TRUE(SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(Width(header, 1), 150);
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW}));
    EXPECT_EQ(widths, std::vector<int>{150}) << "the parent sees the proposed width";
    item.cxy = 10;
    EXPECT_FALSE(SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(Width(header, 1), 150) << "a non-zero answer refuses the change";

    m_notifications.clear();
    AnswerNotify(nullptr);
    HWND ansiParent = CreateParent(400, 300, true);
    HWND narrowHeader = CreateThree(ansiParent);
    std::string seen;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == HDN_ITEMCHANGEDA)
            seen = reinterpret_cast<const NMHEADERA&>(header).pitem->pszText;
        return std::nullopt;
    });
    HDITEMA narrow{};
    narrow.mask = HDI_TEXT;
    narrow.pszText = const_cast<LPSTR>("远程地址");
    EXPECT_TRUE(SendMessageA(narrowHeader, HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&narrow)));
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{HDN_ITEMCHANGINGA, HDN_ITEMCHANGEDA}));
    EXPECT_EQ(seen, "远程地址");
}

TEST_F(HeaderTest, DraggingADividerResizesTheItem) {
    HWND parent = CreateParent();
    HWND header = CreateThree(parent);
    RunUntilIdle();
    POINT divider = ScreenPoint(header, 100, 10);
    PressButton(divider.x, divider.y);
    RunUntilIdle();
    MoveMouse(divider.x + 20, divider.y);
    RunUntilIdle();
    MoveMouse(divider.x + 30, divider.y + 40);
    ReleaseButton(divider.x + 30, divider.y + 40);
    RunUntilIdle();
    EXPECT_EQ(Width(header, 0), 130);
    EXPECT_EQ(ItemRect(header, 1).left, 130);
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{HDN_BEGINTRACKW, HDN_TRACKW, HDN_TRACKW, HDN_ENDTRACKW,
                                                HDN_ITEMCHANGINGW, HDN_ITEMCHANGEDW}));

    // With full dragging the item follows the pointer.
    HWND full = CreateThree(parent, HDS_BUTTONS | HDS_FULLDRAG);
    SetWindowPos(full, nullptr, 0, 100, 400, 20, SWP_NOZORDER);
    RunUntilIdle();
    m_notifications.clear();
    divider = ScreenPoint(full, 180, 10);
    PressButton(divider.x, divider.y);
    MoveMouse(divider.x - 30, divider.y);
    ReleaseButton(divider.x - 30, divider.y);
    RunUntilIdle();
    EXPECT_EQ(Width(full, 1), 50);
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{HDN_BEGINTRACKW, HDN_TRACKW, HDN_ITEMCHANGINGW,
                                                HDN_ITEMCHANGEDW, HDN_ENDTRACKW}));

    // A parent that refuses the start keeps the width.
    AnswerNotify([](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == HDN_BEGINTRACKW)
            return TRUE;
        return std::nullopt;
    });
    m_notifications.clear();
    PressButton(divider.x - 30, divider.y);
    MoveMouse(divider.x, divider.y);
    ReleaseButton(divider.x, divider.y);
    RunUntilIdle();
    EXPECT_EQ(Width(full, 1), 50);
    EXPECT_EQ(NotifyCodes(), std::vector<UINT>{HDN_BEGINTRACKW});
}

TEST_F(HeaderTest, ClicksDoubleClicksAndTheDividerCursor) {
    HWND parent = CreateParent();
    HWND header = CreateThree(parent);
    RunUntilIdle();
    std::vector<int> clicked;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        clicked.push_back(reinterpret_cast<const NMHEADERW&>(header).iItem);
        return std::nullopt;
    });
    POINT second = ScreenPoint(header, 140, 10);
    PressButton(second.x, second.y);
    ReleaseButton(second.x, second.y);
    RunUntilIdle();
    EXPECT_EQ(NotifyCodes(), std::vector<UINT>{HDN_ITEMCLICKW});
    EXPECT_EQ(clicked, std::vector<int>{1});

    m_notifications.clear();
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    PressButton(second.x, second.y);
    MoveMouse(second.x + 200, second.y);
    ReleaseButton(second.x + 200, second.y);
    RunUntilIdle();
    EXPECT_TRUE(NotifyCodes().empty()) << "released elsewhere: no click";

    SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(181, 10));
    EXPECT_EQ(NotifyCodes(), std::vector<UINT>{HDN_DIVIDERDBLCLICKW});
    EXPECT_EQ(clicked.back(), 1);

    POINT divider = ScreenPoint(header, 100, 10);
    MoveMouse(divider.x, divider.y);
    RunUntilIdle();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZEWE));
    MoveMouse(second.x, second.y);
    RunUntilIdle();
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_SIZEWE));
}

TEST_F(HeaderTest, Painting_RaisedItemsPressedItemsAndTheRest) {
    HWND parent = CreateParent();
    HWND header = CreateThree(parent, HDS_BUTTONS | HDS_HOTTRACK);
    UpdateWindow(header);
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    EXPECT_EQ(platform::headless::ReadPixel(header, 50, 0), light);
    EXPECT_EQ(platform::headless::ReadPixel(header, 99, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(platform::headless::ReadPixel(header, 350, 0), light) << "the rest is an empty item";
    EXPECT_TRUE(AnyPixel(header, RECT{6, 2, 40, 18}, GetSysColor(COLOR_BTNTEXT))) << "left-aligned text";

    POINT second = ScreenPoint(header, 140, 10);
    MoveMouse(second.x, second.y);
    RunUntilIdle();
    EXPECT_TRUE(AnyPixel(header, RECT{106, 2, 170, 18}, GetSysColor(COLOR_HOTLIGHT))) << "the hot item";
    PressButton(second.x, second.y);
    RunUntilIdle();
    EXPECT_EQ(platform::headless::ReadPixel(header, 140, 0), GetSysColor(COLOR_3DSHADOW)) << "pressed flat";
    ReleaseButton(second.x, second.y);
    RunUntilIdle();
}

} // namespace
