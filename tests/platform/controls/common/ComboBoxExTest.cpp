// The extended combo box: items with images, indent and data inserted, read, changed and
// deleted in either character set with the parent told; its inner combo box (and edit) as its
// first child, sized with it; items drawn with their image, the selected image while
// highlighted and the indent in the list; a choice made with the mouse reported as its own.

#include "../CommonControlTestSupport.h"
#include "platform/gdi/GdiTestSupport.h"

#include "platform/display/Headless.h"

using namespace testing_support;
using platform::headless::Click;
using platform::headless::RunUntilIdle;

namespace {

constexpr int ExId = 7;
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

class ComboBoxExTest : public CommonControlTest {
protected:
    void SetUp() override {
        CommonControlTest::SetUp();
        INITCOMMONCONTROLSEX init{sizeof init, ICC_USEREX_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
    }
    void TearDown() override {
        if (m_images)
            ImageList_Destroy(m_images);
        CommonControlTest::TearDown();
    }
    static HWND CreateEx(HWND parent, DWORD kind = CBS_DROPDOWNLIST, int width = 200) {
        return CreateWindowExW(0, WC_COMBOBOXEXW, u"", WS_CHILD | WS_VISIBLE | kind, 10, 10, width, 150,
                               parent, reinterpret_cast<HMENU>(ExId), nullptr, nullptr);
    }
    static LRESULT InsertW(HWND ex, INT_PTR at, const char16_t* text, int image = -1, int indent = 0) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
        item.iItem = at;
        item.pszText = const_cast<LPWSTR>(text);
        item.iImage = image;
        item.iSelectedImage = image < 0 ? -1 : image + 1;
        item.iIndent = indent;
        return SendMessageW(ex, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    static std::string TextA(HWND ex, INT_PTR index, int capacity = 64) {
        std::string buffer(static_cast<std::size_t>(capacity), '\0');
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT;
        item.iItem = index;
        item.pszText = buffer.data();
        item.cchTextMax = capacity;
        if (!SendMessageA(ex, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return "<none>";
        return buffer.c_str();
    }
    // Two 16 x 16 images: red, then blue.
    HIMAGELIST RedAndBlue() {
        m_images = ImageList_Create(16, 16, ILC_COLOR24, 2, 2);
        gdi_test::Canvas red(16, 16, Red);
        gdi_test::Canvas blue(16, 16, Blue);
        ImageList_Add(m_images, red.Bitmap(), nullptr);
        ImageList_Add(m_images, blue.Bitmap(), nullptr);
        return m_images;
    }

    HIMAGELIST m_images = nullptr;
};

TEST_F(ComboBoxExTest, ItemsAreInsertedReadChangedAndDeletedWithTheParentTold) {
    HWND parent = CreateParent();
    HWND ex = CreateEx(parent);
    EXPECT_EQ(InsertW(ex, -1, u"本地"), 0);
    EXPECT_EQ(InsertW(ex, 5, u"remote"), 1) << "past the end appends";
    COMBOBOXEXITEMA narrow{};
    char first[] = "first";
    narrow.mask = CBEIF_TEXT | CBEIF_LPARAM;
    narrow.iItem = 0;
    narrow.pszText = first;
    narrow.lParam = 42;
    EXPECT_EQ(SendMessageA(ex, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&narrow)), 0);
    narrow.iItem = -2;
    EXPECT_EQ(SendMessageA(ex, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&narrow)), -1);
    EXPECT_EQ(SendMessageW(ex, CBEM_INSERTITEMW, 0, 0), -1) << "no record";
    EXPECT_EQ(SendMessageW(ex, CB_GETCOUNT, 0, 0), 3);

    EXPECT_EQ(TextA(ex, 1), "本地") << "handed out in code page 936";
    EXPECT_EQ(TextA(ex, 1, 4), "本") << "cut to the buffer, never inside a character";
    EXPECT_EQ(TextA(ex, 3), "<none>");
    EXPECT_EQ(SendMessageW(ex, CB_GETITEMDATA, 0, 0), 42);
    EXPECT_EQ(SendMessageW(ex, CB_SETITEMDATA, 2, 7), TRUE);
    EXPECT_EQ(SendMessageW(ex, CB_GETITEMDATA, 2, 0), 7);
    EXPECT_EQ(SendMessageW(ex, CB_GETITEMDATA, 9, 0), CB_ERR);

    COMBOBOXEXITEMW change{};
    change.mask = CBEIF_IMAGE | CBEIF_INDENT;
    change.iItem = 2;
    change.iImage = 3;
    change.iIndent = -4;
    EXPECT_TRUE(SendMessageW(ex, CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change)));
    COMBOBOXEXITEMW read{};
    read.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
    read.iItem = 2;
    EXPECT_TRUE(SendMessageW(ex, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_EQ(read.iImage, 3);
    EXPECT_EQ(read.iSelectedImage, -1) << "left alone by the change";
    EXPECT_EQ(read.iIndent, 0) << "no indent to the left of the list";
    read.iItem = -1;
    EXPECT_FALSE(SendMessageW(ex, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read))) << "nothing chosen yet";
    SendMessageW(ex, CB_SETCURSEL, 2, 0);
    EXPECT_TRUE(SendMessageW(ex, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)))
        << "-1 is the chosen item";

    EXPECT_EQ(SendMessageW(ex, CBEM_DELETEITEM, 0, 0), 2) << "the count left";
    EXPECT_EQ(SendMessageW(ex, CBEM_DELETEITEM, 2, 0), CB_ERR);
    EXPECT_EQ(TextA(ex, 0), "本地");
    SendMessageW(ex, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageW(ex, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{CBEN_INSERTITEM, CBEN_INSERTITEM, CBEN_INSERTITEM,
                                                CBEN_DELETEITEM, CBEN_DELETEITEM, CBEN_DELETEITEM}));
}

TEST_F(ComboBoxExTest, ItsFirstChildIsItsOwnerDrawnComboBoxSizedWithIt) {
    HWND parent = CreateParent();
    HWND list = CreateEx(parent, CBS_DROPDOWNLIST);
    HWND inner = reinterpret_cast<HWND>(SendMessageW(list, CBEM_GETCOMBOCONTROL, 0, 0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(GetWindow(list, GW_CHILD), inner);
    char name[32] = {};
    GetClassNameA(inner, name, sizeof name);
    EXPECT_STREQ(name, "ComboBox");
    EXPECT_EQ(GetWindowLongW(inner, GWL_STYLE) & (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED),
              static_cast<LONG>(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED));
    EXPECT_EQ(SendMessageW(list, CBEM_GETEDITCONTROL, 0, 0), 0) << "a drop-down list has no edit";
    RECT outer{};
    RECT innerRect{};
    GetWindowRect(list, &outer);
    GetWindowRect(inner, &innerRect);
    EXPECT_EQ(outer.bottom - outer.top, innerRect.bottom - innerRect.top)
        << "the list's height is not the window's";
    SetWindowPos(list, nullptr, 0, 0, 260, 150, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(inner, &innerRect);
    EXPECT_EQ(innerRect.right - innerRect.left, 260);
    const int shorter = innerRect.bottom - innerRect.top;
    HIMAGELIST tall = ImageList_Create(30, 30, ILC_COLOR24, 1, 1);
    SendMessageW(list, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tall));
    GetWindowRect(list, &outer);
    GetWindowRect(inner, &innerRect);
    EXPECT_GT(innerRect.bottom - innerRect.top, shorter) << "taller images make a taller field";
    EXPECT_EQ(outer.bottom - outer.top, innerRect.bottom - innerRect.top) << "and the window follows it";
    SendMessageW(list, CBEM_SETIMAGELIST, 0, 0);
    ImageList_Destroy(tall);

    // A bordered one keeps its inner combo box inside the border, also when resized.
    HWND bordered =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_COMBOBOXEXW, u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10,
                        40, 200, 150, parent, nullptr, nullptr, nullptr);
    HWND borderedInner = GetWindow(bordered, GW_CHILD);
    for (int width : {200, 150}) {
        SetWindowPos(bordered, nullptr, 0, 0, width, 150, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(bordered, &client);
        GetWindowRect(bordered, &outer);
        GetWindowRect(borderedInner, &innerRect);
        EXPECT_EQ(outer.right - outer.left, width);
        EXPECT_EQ(innerRect.right - innerRect.left, client.right) << width;
        EXPECT_EQ(innerRect.bottom - innerRect.top, client.bottom) << width;
        EXPECT_LT(client.right, width) << "the border stays";
    }

    HWND dropDown = CreateEx(parent, CBS_DROPDOWN);
    auto edit = reinterpret_cast<HWND>(SendMessageW(dropDown, CBEM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetParent(edit), reinterpret_cast<HWND>(SendMessageW(dropDown, CBEM_GETCOMBOCONTROL, 0, 0)));
}

TEST_F(ComboBoxExTest, ItemsShowTheirImageTheSelectedOneWhenHighlightedAndTheirIndentInTheList) {
    HWND parent = CreateParent();
    HWND ex = CreateEx(parent);
    HIMAGELIST images = RedAndBlue();
    EXPECT_EQ(SendMessageW(ex, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
    EXPECT_EQ(SendMessageW(ex, CBEM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images));
    InsertW(ex, -1, u"zero", 0, 0);
    InsertW(ex, -1, u"one", 0, 3);
    SendMessageW(ex, CB_SETCURSEL, 1, 0);
    EXPECT_GE(SendMessageW(ex, CB_GETITEMHEIGHT, 0, 0), 16) << "rows fit the images";
    RunUntilIdle();
    HWND inner = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETCOMBOCONTROL, 0, 0));
    RECT field{0, 0, 30, 20};
    EXPECT_TRUE(AnyPixel(inner, field, Red)) << "the field shows the image without the indent";

    SendMessageW(ex, CB_SHOWDROPDOWN, TRUE, 0);
    RunUntilIdle();
    COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
    ASSERT_TRUE(GetComboBoxInfo(ex, &info));
    ASSERT_TRUE(IsWindowVisible(info.hwndList));
    const int row = static_cast<int>(SendMessageW(ex, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(AnyPixel(info.hwndList, RECT{0, 1, 24, 1 + row}, Red)) << "item 0 at the left";
    EXPECT_FALSE(AnyPixel(info.hwndList, RECT{0, 1 + row, 30, 1 + 2 * row}, Blue)) << "item 1 indented";
    EXPECT_TRUE(AnyPixel(info.hwndList, RECT{30, 1 + row, 52, 1 + 2 * row}, Blue))
        << "the highlighted item 1 shows its selected image 30 pixels in";
    SendMessageW(ex, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboBoxExTest, AChoiceByMouseReachesTheParentAsTheControlsOwn) {
    HWND parent = CreateParent();
    HWND ex = CreateEx(parent);
    InsertW(ex, -1, u"TCP");
    InsertW(ex, -1, u"UDP");
    HWND inner = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETCOMBOCONTROL, 0, 0));
    RECT client{};
    GetClientRect(inner, &client);
    const POINT button = ScreenPoint(inner, client.right - 5, client.bottom / 2);
    Click(button.x, button.y);
    RunUntilIdle();
    EXPECT_TRUE(SendMessageW(ex, CB_GETDROPPEDSTATE, 0, 0));
    COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
    ASSERT_TRUE(GetComboBoxInfo(ex, &info));
    const int row = static_cast<int>(SendMessageW(ex, CB_GETITEMHEIGHT, 0, 0));
    ClearLog();
    const POINT second = ScreenPoint(info.hwndList, 20, 1 + row + row / 2);
    Click(second.x, second.y);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(ex, CB_GETCURSEL, 0, 0), 1);
    bool told = false;
    for (const LoggedMessage& m : Logged(parent, WM_COMMAND))
        told = told || (LOWORD(m.wParam) == ExId && HIWORD(m.wParam) == CBN_SELCHANGE &&
                        reinterpret_cast<HWND>(m.lParam) == ex);
    EXPECT_TRUE(told);
}

TEST_F(ComboBoxExTest, AnEditableOneShowsTheChosenItemAndTellsTheParentWhenAnEditEnds) {
    HWND parent = CreateParent();
    HWND ex = CreateEx(parent, CBS_DROPDOWN);
    InsertW(ex, -1, u"本地");
    InsertW(ex, -1, u"Remote");
    auto edit = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    auto editText = [&] {
        char16_t text[64] = {};
        GetWindowTextW(edit, text, 64);
        return std::u16string(text);
    };
    struct Ended {
        BOOL changed;
        int selection;
        std::u16string text;
        int why;
    };
    std::vector<Ended> ended;
    LRESULT refuse = FALSE;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != CBEN_ENDEDITW)
            return std::nullopt;
        const auto& notice = reinterpret_cast<const NMCBEENDEDITW&>(header);
        ended.push_back({notice.fChanged, notice.iNewSelection, notice.szText, notice.iWhy});
        return refuse;
    });

    SendMessageW(ex, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(editText(), u"Remote") << "the chosen item's text";
    EXPECT_FALSE(SendMessageW(ex, CBEM_HASEDITCHANGED, 0, 0));

    SetFocus(edit);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"本地"));
    EXPECT_TRUE(SendMessageW(ex, CBEM_HASEDITCHANGED, 0, 0));
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_TRUE(ended[0].changed);
    EXPECT_EQ(ended[0].selection, 0) << "the item the text names";
    EXPECT_EQ(ended[0].text, u"本地");
    EXPECT_EQ(ended[0].why, CBENF_RETURN);
    EXPECT_EQ(SendMessageW(ex, CB_GETCURSEL, 0, 0), 0) << "accepted: it becomes the chosen item";
    EXPECT_FALSE(SendMessageW(ex, CBEM_HASEDITCHANGED, 0, 0));

    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"remote"));
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[1].selection, 1) << "case is ignored";
    EXPECT_EQ(ended[1].why, CBENF_ESCAPE);
    EXPECT_EQ(editText(), u"本地") << "escape drops what was typed";
    EXPECT_EQ(SendMessageW(ex, CB_GETCURSEL, 0, 0), 0);

    refuse = TRUE;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Remote"));
    SetFocus(parent);
    ASSERT_EQ(ended.size(), 3u);
    EXPECT_EQ(ended[2].why, CBENF_KILLFOCUS);
    EXPECT_EQ(editText(), u"Remote") << "refused: the text stays as typed";
    EXPECT_EQ(SendMessageW(ex, CB_GETCURSEL, 0, 0), 0);

    // A parent of the narrow character set hears it in code page 936.
    HWND narrowParent = CreateParent(400, 300, true);
    HWND narrow = CreateEx(narrowParent, CBS_DROPDOWN);
    InsertW(narrow, -1, u"本地");
    std::string narrowText;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == CBEN_ENDEDITA)
            narrowText = reinterpret_cast<const NMCBEENDEDITA&>(header).szText;
        return std::nullopt;
    });
    SendMessageW(narrow, CB_SETCURSEL, 0, 0);
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(narrow, CBEM_GETEDITCONTROL, 0, 0)), WM_KEYDOWN,
                 VK_RETURN, 0);
    EXPECT_EQ(narrowText, "本地");

    HWND list = CreateEx(parent, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(list, CBEM_GETEDITCONTROL, 0, 0), 0);
    EXPECT_FALSE(SendMessageW(list, CBEM_HASEDITCHANGED, 0, 0)) << "a list has no edit to change";
}

TEST_F(ComboBoxExTest, ItemsWhoseTextAndImageTheParentKeepsAreAskedForUntilItSaysKeepThem) {
    HWND parent = CreateParent();
    HWND ex = CreateEx(parent, CBS_DROPDOWN);
    SendMessageW(ex, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(RedAndBlue()));
    for (int i = 0; i < 2; ++i) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_LPARAM;
        item.iItem = -1;
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.iImage = I_IMAGECALLBACK;
        item.lParam = 70 + i;
        SendMessageW(ex, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    static const char16_t kept[] = u"保留 kept";
    std::vector<int> asked;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != CBEN_GETDISPINFOW)
            return std::nullopt;
        auto& item = const_cast<NMCOMBOBOXEXW&>(reinterpret_cast<const NMCOMBOBOXEXW&>(header)).ceItem;
        asked.push_back(static_cast<int>(item.iItem));
        EXPECT_EQ(item.mask, CBEIF_TEXT | CBEIF_IMAGE);
        EXPECT_EQ(item.lParam, 70 + item.iItem) << "the item's data comes along";
        if (item.iItem == 0) {
            const std::u16string answer = u"问 asked";
            std::copy(answer.begin(), answer.end(), item.pszText);
            item.pszText[answer.size()] = 0;
            item.iImage = 1;
        } else {
            item.pszText = const_cast<LPWSTR>(kept);
            item.iImage = 0;
            item.mask |= CBEIF_DI_SETITEM;
        }
        return 0;
    });
    auto edit = reinterpret_cast<HWND>(SendMessageW(ex, CBEM_GETEDITCONTROL, 0, 0));
    char16_t text[64] = {};
    SendMessageW(ex, CB_SETCURSEL, 0, 0);
    GetWindowTextW(edit, text, 64);
    EXPECT_EQ(std::u16string(text), u"问 asked") << "written into the buffer";
    SendMessageW(ex, CB_SETCURSEL, 1, 0);
    GetWindowTextW(edit, text, 64);
    EXPECT_EQ(std::u16string(text), u"保留 kept") << "pointed at the parent's own text";
    SendMessageW(ex, CB_SETCURSEL, 0, 0);
    SendMessageW(ex, CB_SHOWDROPDOWN, TRUE, 0);
    RunUntilIdle();
    COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
    ASSERT_TRUE(GetComboBoxInfo(ex, &info));
    const int row = static_cast<int>(SendMessageW(ex, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(AnyPixel(info.hwndList, RECT{0, 1, 24, 1 + row}, Blue)) << "the image the parent named";
    EXPECT_TRUE(AnyPixel(info.hwndList, RECT{0, 1 + row, 24, 1 + 2 * row}, Red)) << "and the one it keeps";
    SendMessageW(ex, CB_SHOWDROPDOWN, FALSE, 0);
    asked.clear();
    SendMessageW(ex, CB_SETCURSEL, 1, 0);
    SendMessageW(ex, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(asked, std::vector<int>{0}) << "item 1 is kept now, item 0 is asked again";
    COMBOBOXEXITEMW read{};
    char16_t buffer[32] = {};
    read.mask = CBEIF_TEXT;
    read.iItem = 1;
    read.pszText = buffer;
    read.cchTextMax = 32;
    SendMessageW(ex, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(std::u16string(buffer), u"保留 kept");
}

} // namespace
