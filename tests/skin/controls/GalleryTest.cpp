// Pictures for a person to look at: every control skin of the buttons, the glyph, speed and
// media buttons and the scroll bars on a form of its own, in every state, in the default and
// the dark skin. Each state a control shows
// only while the mouse or a key holds it (hot, pressed) is taken from the window while it lasts
// and laid into the page, so one picture shows them all. Written to build/skin-controls-*.png.

#include "ControlSkinFixture.h"
#include "ForeignChecks.h"

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "framework/classes/Module.h"
#include "framework/comctrls/ListView.h"
#include "framework/extctrls/MediaPlayer.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "framework/stdctrls/ScrollBars.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/ComboxScrollBar.h"
#include "skin/controls/SkinBitButtons.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinScrollbars.h"

#include <deque>
#include <functional>

namespace {

// A form's picture with the passing states of its controls laid in as they were shown.
class TGalleryPage {
public:
    explicit TGalleryPage(TForm* form) : m_form(form) {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        m_origin = {window.left, window.top};
        m_page.SetPixelFormat(pf24bit);
        m_page.SetSize(window.right - window.left, window.bottom - window.top);
    }
    // The whole form as it shows now.
    void TakeForm() { Take(m_form->Handle()); }
    // One window (a control, an overlay) as it shows now, at its place on the form.
    void Take(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        HDC source = GetWindowDC(window);
        BitBlt(m_page.Canvas()->Handle(), r.left - m_origin.x, r.top - m_origin.y, r.right - r.left,
               r.bottom - r.top, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    // A control without a window of its own, as it shows now on its parent.
    void TakeArea(TControl* control) {
        const TPoint topLeft = control->ClientToScreen(Point(0, 0));
        HWND parent = control->Parent()->Handle();
        RECT r{};
        GetWindowRect(parent, &r);
        HDC source = GetWindowDC(parent);
        BitBlt(m_page.Canvas()->Handle(), topLeft.x - m_origin.x, topLeft.y - m_origin.y, control->Width(),
               control->Height(), source, topLeft.x - r.left, topLeft.y - r.top, SRCCOPY);
        ReleaseDC(parent, source);
    }
    // A screen area (a drop-down list outside the form) placed at a point of the page.
    void TakeScreen(HWND window, POINT at) {
        RECT r{};
        GetWindowRect(window, &r);
        HDC source = GetWindowDC(window);
        BitBlt(m_page.Canvas()->Handle(), at.x, at.y, r.right - r.left, r.bottom - r.top, source, 0, 0,
               SRCCOPY);
        ReleaseDC(window, source);
    }
    TCanvas* Canvas() { return m_page.Canvas(); }
    bool Save(const std::string& name) {
        return platform::WriteBitmapPng(m_page.Handle(), std::string(QUILLMERE_BIN_DIR) + "/../" + name);
    }

private:
    TForm* m_form;
    POINT m_origin{};
    TBitmap m_page;
};

class SkinGalleryTest : public ControlSkinTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ControlSkinTest::SetUp();
        const Bytes archive = controlskins::SkinFileBytes(GetParam());
        ASSERT_FALSE(archive.empty()) << "the build draws " << GetParam() << ".skn";
        LoadSkin(archive);
    }
    void TearDown() override {
        platform::headless::SetIdleHandler(nullptr);
        ControlSkinTest::TearDown();
    }
    std::string PageName(const std::string& page) const {
        return "skin-controls-" + page + "-" + GetParam() + ".png";
    }
    TForm* GalleryForm(int width, int height) {
        TForm* form = NewForm(width, height);
        form->SetColor(Skin().Colours[3]);
        form->SetCaption(std::string("控件皮肤 ") + GetParam());
        return form;
    }
    static void HoverOver(TControl* control, int x, int y) {
        const TPoint at = control->ClientToScreen(Point(x, y));
        platform::headless::MoveMouse(at.x, at.y);
    }
    static void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        platform::headless::SetIdleHandler([queue] {
            if (queue->empty())
                return false;
            auto step = std::move(queue->front());
            queue->pop_front();
            step();
            return true;
        });
    }
};

TEST_P(SkinGalleryTest, PushAndMenuButtons) {
    TForm* form = GalleryForm(360, 330);
    const char* states[] = {"正常 normal",  "悬停 hot",     "按下 pressed",
                            "焦点 focused", "默认 default", "禁用 disabled"};
    std::vector<TButton*> plain, menu;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 2; ++column) {
            auto* button = Add<TButton>(form, 15 + column * 170, 15 + row * 45, 150, 32);
            button->SetCaption(states[row]);
            (column == 0 ? plain : menu).push_back(button);
        }
    }
    plain[4]->SetDefault(true);
    for (int column = 0; column < 2; ++column) {
        std::vector<TButton*>& buttons = column == 0 ? plain : menu;
        buttons[5]->SetEnabled(false);
        for (TButton* button : buttons) {
            if (column == 0)
                SkinOf<TSkinButton>(button);
            else
                SkinOf<TSkinMenuButton>(button);
        }
    }
    menu[4]->SetCaption("多行||标题");
    Pump();
    TGalleryPage page(form);
    page.TakeForm();
    for (std::vector<TButton*>* buttons : {&plain, &menu}) {
        HoverOver((*buttons)[1], 75, 16);
        Pump();
        page.Take((*buttons)[1]->Handle());
        const TPoint pressAt = (*buttons)[2]->ClientToScreen(Point(75, 16));
        platform::headless::PressButton(pressAt.x, pressAt.y);
        Pump();
        page.Take((*buttons)[2]->Handle());
        platform::headless::ReleaseButton(pressAt.x, pressAt.y);
        platform::headless::MoveMouse(5, 5);
        Pump();
        (*buttons)[3]->SetFocus();
        Pump();
        page.Take((*buttons)[3]->Handle());
    }
    EXPECT_TRUE(page.Save(PageName("buttons")));
}

TEST_P(SkinGalleryTest, CheckBoxesAndRadioButtons) {
    TForm* form = GalleryForm(380, 280);
    struct Row {
        const char* caption;
        TCheckBoxState state;
        bool enabled;
    };
    const Row rows[] = {{"未选 unchecked", cbUnchecked, true},   {"选中 checked", cbChecked, true},
                        {"灰色 grayed", cbGrayed, true},         {"禁用未选 disabled", cbUnchecked, false},
                        {"禁用选中 disabled", cbChecked, false}, {"禁用灰色 disabled", cbGrayed, false},
                        {"焦点 focused", cbChecked, true}};
    TCheckBox* focused = nullptr;
    int y = 15;
    for (const Row& row : rows) {
        auto* box = Add<TCheckBox>(form, 15, y, 170, 22);
        box->SetCaption(row.caption);
        box->SetAllowGrayed(true);
        box->SetState(row.state);
        box->SetEnabled(row.enabled);
        SkinOf<TSkinCheckBox>(box);
        focused = box;
        y += 30;
    }
    // Each radio button on a panel of its own, so that several show checked.
    struct RadioRow {
        const char* caption;
        bool checked;
        bool enabled;
    };
    const RadioRow radios[] = {{"未选 unchecked", false, true},
                               {"选中 checked", true, true},
                               {"禁用 disabled", false, false},
                               {"禁用选中 disabled", true, false},
                               {"左侧文字 left text", true, true}};
    y = 15;
    for (const RadioRow& row : radios) {
        auto* panel = Add<TPanel>(form, 195, y, 175, 24);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(Skin().Colours[3]);
        auto* radio = new TRadioButton(form);
        radio->SetParent(panel);
        radio->SetBounds(0, 1, 170, 22);
        radio->SetCaption(row.caption);
        radio->SetChecked(row.checked);
        radio->SetEnabled(row.enabled);
        if (&row == &radios[4])
            radio->SetAlignment(taLeftJustify);
        SkinOf<TSkinRadioButton>(radio);
        y += 30;
    }
    focused->SetFocus();
    Pump();
    TGalleryPage page(form);
    page.TakeForm();
    EXPECT_TRUE(page.Save(PageName("checkboxes")));
}

TEST_P(SkinGalleryTest, GlyphSpeedAndMediaButtons) {
    TForm* form = GalleryForm(420, 400);
    const char* states[] = {"正常 normal",  "悬停 hot",     "按下 pressed",
                            "焦点 focused", "默认 default", "禁用 disabled"};
    const char* glyphs[] = {"BBOK", "BBYES", "BBRETRY", "BBHELP", "BBALL", "BBCANCEL"};
    std::vector<TBitBtn*> bit;
    std::vector<TSpeedButton*> speed;
    for (int row = 0; row < 6; ++row) {
        TBitmap glyph;
        glyph.LoadFromResourceName(HInstance(), glyphs[row]);
        auto* button = Add<TBitBtn>(form, 15, 15 + row * 45, 170, 34);
        button->SetCaption(states[row]);
        button->SetGlyph(&glyph);
        bit.push_back(button);
        auto* flat = new TSpeedButton(form);
        flat->SetParent(form);
        flat->SetBounds(200, 15 + row * 45, 200, 34);
        flat->SetGlyph(&glyph);
        speed.push_back(flat);
    }
    bit[4]->SetDefault(true);
    bit[5]->SetEnabled(false);
    const char* speedStates[] = {"平面 flat",   "平面悬停 flat hot", "按下 pressed",
                                 "常态 raised", "按住 down",         "禁用 disabled"};
    for (int row = 0; row < 6; ++row)
        speed[static_cast<std::size_t>(row)]->SetCaption(speedStates[row]);
    speed[0]->SetFlat(true);
    speed[1]->SetFlat(true);
    speed[4]->SetGroupIndex(1);
    speed[4]->SetDown(true);
    speed[5]->SetEnabled(false);
    auto* player = Add<TMediaPlayer>(form, 15, 290, 385, 30);
    player->SetEnabledButtons(AllMediaButtons - TButtonSet{TMPBtnType::btRecord, TMPBtnType::btEject});
    player->SetColoredButtons(TButtonSet{TMPBtnType::btPlay, TMPBtnType::btStop, TMPBtnType::btRecord});
    auto* few = Add<TMediaPlayer>(form, 15, 330, 200, 30);
    few->SetVisibleButtons(TButtonSet{TMPBtnType::btPrev, TMPBtnType::btPlay, TMPBtnType::btNext});
    for (TBitBtn* button : bit)
        SkinOf<TSkinBitButton>(button);
    for (TSpeedButton* button : speed) {
        auto* skin = new TSkinSpeedButton(button);
        skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
    }
    auto* playerSkin = SkinOf<TSkinMP>(player);
    SkinOf<TSkinMP>(few);
    Pump();
    TGalleryPage page(form);
    page.TakeForm();
    HoverOver(bit[1], 85, 17);
    Pump();
    page.Take(bit[1]->Handle());
    HoverOver(speed[1], 100, 17);
    Pump();
    page.TakeArea(speed[1]);
    for (TControl* pressed : std::initializer_list<TControl*>{bit[2], speed[2]}) {
        const TPoint at = pressed->ClientToScreen(Point(85, 17));
        platform::headless::MoveMouse(at.x, at.y);
        platform::headless::PressButton(at.x, at.y);
        Pump();
        if (auto* windowed = dynamic_cast<TWinControl*>(pressed))
            page.Take(windowed->Handle());
        else
            page.TakeArea(pressed);
        platform::headless::ReleaseButton(at.x, at.y);
        platform::headless::MoveMouse(5, 5);
        Pump();
    }
    // The player's stop button held down.
    const TPoint stop = player->ClientToScreen(Point(385 / 9 * 2 + 20, 15));
    platform::headless::MoveMouse(stop.x, stop.y);
    platform::headless::PressButton(stop.x, stop.y);
    Pump();
    page.Take(playerSkin->Overlay()->Handle());
    platform::headless::ReleaseButton(stop.x, stop.y);
    platform::headless::MoveMouse(5, 5);
    Pump();
    bit[3]->SetFocus();
    Pump();
    page.Take(bit[3]->Handle());
    EXPECT_TRUE(page.Save(PageName("glyphbuttons")));
}

TEST_P(SkinGalleryTest, GlyphStripsForOtherLibrariesCheckBoxes) {
    // The strips the skin hands to such check and radio boxes, cell by cell, three times enlarged;
    // magenta is their transparent colour (cells the skin leaves empty show only it).
    TForm* form = GalleryForm(420, 290);
    struct Strip {
        const char* caption;
        TForeignGlyphKind kind;
    };
    const Strip strips[] = {{"CustomGlyphs 复选框 check box", fgCheckCustomGlyphs},
                            {"CustomGlyphs 单选框 radio box", fgRadioCustomGlyphs},
                            {"Properties.Glyph 复选框 check box", fgCheckPropertiesGlyph}};
    std::vector<TSkinObjImage*> skins;
    for (const Strip& strip : strips) {
        auto* check = Add<controlskins::TForeignCheck>(form, 0, 0, 10, 10);
        check->Hide();
        auto* skin = new TSkinObjImage(check, strip.kind);
        skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
        skins.push_back(skin);
    }
    Pump();
    TGalleryPage page(form);
    page.TakeForm();
    HDC dc = page.Canvas()->Handle();
    POINT client{0, 0};
    ClientToScreen(form->Handle(), &client);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    int y = client.y - window.top + 10;
    const int left = client.x - window.left + 10;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(SkinnedSystemColour(Skin(), clWindowText)));
    for (std::size_t i = 0; i < skins.size(); ++i) {
        RECT label{left, y, left + 330, y + 16};
        DrawTextA(dc, strips[i].caption, -1, &label, DT_LEFT | DT_SINGLELINE);
        TBitmap cells;
        cells.Assign(&skins[i]->Cells());
        StretchBlt(dc, left, y + 18, cells.Width() * 3, cells.Height() * 3, cells.Canvas()->Handle(), 0, 0,
                   cells.Width(), cells.Height(), SRCCOPY);
        y += 18 + cells.Height() * 3 + 10;
    }
    RECT note{left, y, left + 400, y + 16};
    DrawTextA(dc, "品红 = 透明 magenta = transparent", -1, &note, DT_LEFT | DT_SINGLELINE);
    EXPECT_TRUE(page.Save(PageName("glyphstrips")));
}

TEST_P(SkinGalleryTest, ScrollBars) {
    TForm* form = GalleryForm(680, 440);
    auto* memo = Add<TMemo>(form, 15, 15, 170, 160);
    memo->SetScrollBars(ssVertical);
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += "第 " + std::to_string(i) + " 行 line\r\n";
    memo->SetText(text);
    auto* both = Add<TMemo>(form, 200, 15, 170, 160);
    both->SetScrollBars(ssBoth);
    both->SetWordWrap(false);
    both->SetText(text + std::string(80, 'w'));
    auto* grid = Add<TStringGrid>(form, 385, 15, 160, 160);
    grid->SetRowCount(60);
    grid->SetColCount(6);
    for (int row = 1; row < 60; ++row)
        grid->SetCells(1, row, std::to_string(row));
    auto* horizontal = Add<TScrollBar>(form, 15, 195, 250, 17);
    horizontal->SetParams(30, 0, 100);
    horizontal->SetPageSize(20);
    auto* disabledBar = Add<TScrollBar>(form, 15, 225, 250, 17);
    disabledBar->SetEnabled(false);
    auto* vertical = new TScrollBar(form);
    vertical->SetKind(sbVertical);
    vertical->SetParent(form);
    vertical->SetBounds(280, 195, 17, 180);
    vertical->SetParams(70, 0, 100);
    auto* combo = Add<TComboBox>(form, 320, 195, 150, 24);
    combo->SetStyle(csDropDownList);
    for (int i = 0; i < 40; ++i)
        combo->Items()->Add("选项 " + std::to_string(i));
    auto* view = Add<TListView>(form, 15, 255, 250, 150);
    for (const char* title : {"协议", "本地地址", "状态"}) {
        TListColumn* column = view->Columns()->Add();
        column->SetCaption(title);
        column->SetWidth(100);
    }
    for (int k = 0; k < 40; ++k) {
        TListItem* item = view->Items()->Add();
        item->SetCaption("TCP " + std::to_string(k));
        item->SubItems()->Add("127.0.0.1:" + std::to_string(k));
        item->SubItems()->Add("LISTEN");
    }
    for (TWinControl* scrolled : std::initializer_list<TWinControl*>{memo, both, grid}) {
        auto* skin = new TSkinScrollbar(scrolled);
        skin->InitScrollSkin(scrolled, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    }
    auto* viewSkin = new TSkinListView(view);
    viewSkin->InitScrollSkin(view, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    for (TScrollBar* bar : {horizontal, disabledBar, vertical}) {
        auto* skin = new TSkinScControl(bar);
        skin->InitScControl(bar, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    }
    // A list box the framework did not make, with both bars.
    HWND bare =
        CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 560,
                        15, 105, 200, form->Handle(), nullptr, nullptr, nullptr);
    for (int i = 0; i < 40; ++i)
        SendMessageA(bare, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(("bare window " + std::to_string(i)).c_str()));
    SendMessageA(bare, LB_SETHORIZONTALEXTENT, 300, 0);
    auto* bareSkin = new TSkinScrollbarH(skinForm->BareWindowSkinOwner());
    bareSkin->InitSkinByHandle(bare, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    auto* listSkin = new TComboxScrollBar(skinForm->BareWindowSkinOwner());
    listSkin->InitSkinByHandle(info.hwndList, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    TGalleryPage page(form);
    page.TakeForm();
    // The memo's down arrow under the mouse; the grid's thumb held while the system drags it.
    auto* memoSkin = static_cast<TSkinScrollbar*>(skinForm->FindSkinControl(memo));
    RECT bar{};
    GetWindowRect(memoSkin->VerticalOverlay()->Handle(), &bar);
    platform::headless::MoveMouse(bar.left + 8, bar.bottom - 6);
    Pump();
    page.Take(memoSkin->VerticalOverlay()->Handle());
    platform::headless::MoveMouse(5, 5);
    Pump();
    SCROLLBARINFO gridBar{};
    gridBar.cbSize = sizeof gridBar;
    GetScrollBarInfo(grid->Handle(), OBJID_VSCROLL, &gridBar);
    auto* gridSkin = static_cast<TSkinScrollbar*>(skinForm->FindSkinControl(grid));
    const POINT grab{gridBar.rcScrollBar.left + 8, gridBar.rcScrollBar.top + gridBar.xyThumbTop + 3};
    Script({[&] { platform::headless::MoveMouse(grab.x, grab.y + 50); },
            [&] {
                page.Take(grid->Handle());
                page.Take(gridSkin->VerticalOverlay()->Handle());
                platform::headless::ReleaseButton(grab.x, grab.y + 50);
            }});
    platform::headless::PressButton(grab.x, grab.y);
    Pump();
    combo->SetDroppedDown(true);
    Pump();
    page.TakeScreen(info.hwndList, POINT{320, 260});
    combo->SetDroppedDown(false);
    EXPECT_TRUE(page.Save(PageName("scrollbars")));
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinGalleryTest, ::testing::Values("default", "dark"));

} // namespace
