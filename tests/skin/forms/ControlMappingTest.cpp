// The control mapping on real controls of a shown form: which control skin each control gets,
// and which it does not, by the DisableTag, the skins already there, the program's handler, the
// Skin3rd class list, the classes never skinned and the built-in table.

#include "skin/controls/ControlSkinFixture.h"

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "framework/comctrls/AdvPageControl.h"
#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/HeaderControl.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/extctrls/MediaPlayer.h"
#include "framework/extctrls/RadioGroup.h"
#include "framework/extctrls/TabSet.h"
#include "framework/forms/Frame.h"
#include "framework/grid/StringGrid.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/ListBoxes.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "framework/stdctrls/ScrollBars.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/forms/ControlMapping.h"
#include "skin/forms/Skin3rd.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/SkinMessages.h"

namespace {

// A control class of another library the engine knows only from Skin3rd.
class TVirtualStringTree : public TCustomControl {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TVirtualStringTree", &TCustomControl::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TCustomControl::TCustomControl;
};

// A combo box of a class the mapping never skins, and one whose name only begins like it.
class TDBComboBoxEh : public TComboBox {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TDBComboBoxEh", &TComboBox::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TComboBox::TComboBox;
};

// A control of another library over an extended combo box window; its name is on the default
// Skin3rd list as a plain combo box.
class TComboBoxEx : public TWinControl {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TComboBoxEx", &TWinControl::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        INITCOMMONCONTROLSEX init{sizeof init, ICC_USEREX_CLASSES};
        InitCommonControlsEx(&init);
        CreateSubClass(params, WC_COMBOBOXEXA);
        params.Style |= CBS_DROPDOWNLIST;
    }
};

// The same window under a name no list knows.
class TImageCombo : public TComboBoxEx {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TImageCombo", &TComboBoxEx::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TComboBoxEx::TComboBoxEx;
};

class TButtonPlus : public TButton {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TButtonPlus", &TButton::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }
    using TButton::TButton;
};

} // namespace

class ControlMappingTest : public ControlSkinTest {
protected:
    void SetUp() override {
        ControlSkinTest::SetUp();
        form = NewForm(400, 300);
    }

    TControlMapping Mapping() { return TControlMapping(*skinForm, *skinData); }

    void Map(TControl* control) {
        Mapping().SkinControl(control, form);
        Pump();
    }

    // The class of the control's skin in the form; empty when it has none.
    std::string SkinClass(const TControl* control) const {
        TSkinControl* skin = skinForm->FindSkinControl(control);
        auto* windowed = dynamic_cast<const TWinControl*>(control);
        if (!skin && windowed && windowed->HandleAllocated())
            skin = skinForm->FindSkinControlByWindow(const_cast<TWinControl*>(windowed)->Handle());
        return skin ? skin->ClassName() : std::string();
    }

    void Without(TSkinControlType kind) {
        skinData->SetSkinControls(skinData->SkinControls() - TSkinControlTypes{kind});
    }

    void Skin3rdLines(std::initializer_list<const char*> lines) {
        TStringList list;
        for (const char* line : lines)
            list.Add(line);
        skinData->SetSkin3rd(list);
    }

    TForm* form = nullptr;
};

// ---- rule 1: the DisableTag --------------------------------------------------------------------

TEST_F(ControlMappingTest, AControlCarryingTheDisableTagIsLeftUnskinned) {
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    button->SetTag(skinData->DisableTag());
    Map(button);
    EXPECT_EQ(SkinClass(button), "");
}

TEST_F(ControlMappingTest, ARadioGroupCarryingTheDisableTagPassesItToItsButtons) {
    auto* group = Add<TRadioGroup>(form, 10, 10, 150, 100);
    group->Items()->Add("one");
    group->Items()->Add("two");
    group->SetTag(skinData->DisableTag());
    Mapping().SkinForm(*form);
    ASSERT_EQ(group->ControlCount(), 2);
    for (int i = 0; i < group->ControlCount(); ++i) {
        EXPECT_EQ(group->Controls(i)->Tag(), skinData->DisableTag());
        EXPECT_EQ(SkinClass(group->Controls(i)), "") << "button " << i;
    }
    EXPECT_EQ(SkinClass(group), "");
}

TEST_F(ControlMappingTest, APanelCarryingTheDisableTagLeavesItsChildrenTheirOwnTags) {
    auto* panel = Add<TPanel>(form, 10, 10, 200, 100);
    panel->SetTag(skinData->DisableTag());
    auto* button = new TButton(form);
    button->SetParent(panel);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(panel), "");
    EXPECT_EQ(button->Tag(), 0);
    EXPECT_EQ(SkinClass(button), "TSkinButton") << "the form's own components are visited too";
}

// ---- rule 2: never a second skin ---------------------------------------------------------------

TEST_F(ControlMappingTest, AControlWithASkinInTheFormIsNotGivenASecond) {
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    Map(button);
    TSkinControl* first = skinForm->FindSkinControl(button);
    ASSERT_NE(first, nullptr);
    Mapping().SkinForm(*form);
    EXPECT_EQ(skinForm->FindSkinControl(button), first);
    EXPECT_EQ(skinForm->listed.size(), 1u);
}

TEST_F(ControlMappingTest, AControlThatSaysItIsSkinnedIsPassedOver) {
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    controlskins::TTestSkinForm otherForm(skinData.get());
    auto* other = new TSkinButton(button);
    other->InitSkin(&otherForm, skinData.get(), false, otherForm.ControlCanvas());
    ASSERT_EQ(SendMessageA(button->Handle(), SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
    Mapping().SkinForm(*form);
    EXPECT_TRUE(skinForm->listed.empty());
    delete other;
}

TEST_F(ControlMappingTest, AControlWithoutAParentIsPassedOver) {
    auto* orphan = new TButton(form);
    Map(orphan);
    EXPECT_EQ(SkinClass(orphan), "");
}

// ---- rule 3: the window --------------------------------------------------------------------------

TEST_F(ControlMappingTest, AWindowedControlWithoutAWindowGetsOneAndItsSkin) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 100, 22);
    Map(edit);
    EXPECT_TRUE(edit->HandleAllocated());
    EXPECT_EQ(SkinClass(edit), "TSkinEdit");
}

// ---- rule 4: the program's handler ----------------------------------------------------------------

TEST_F(ControlMappingTest, TheHandlerMaySupplyTheSkinAndAPanelsChildrenAreVisitedThen) {
    auto* panel = Add<TPanel>(form, 10, 10, 200, 100);
    auto* button = new TButton(form);
    button->SetParent(panel);
    std::vector<std::string> asked;
    skinData->OnSkinControl = [&](TComponent*, TSkinData* data, TControl* container, TControl* control,
                                  const std::string& className, TComponent*& skin) {
        asked.push_back(className);
        EXPECT_EQ(data, skinData.get());
        EXPECT_EQ(container, form);
        if (control == panel)
            skin = new TSkinButton(control);
    };
    Map(panel);
    EXPECT_EQ(SkinClass(panel), "TSkinButton");
    EXPECT_EQ(SkinClass(button), "TSkinButton") << "the table skins the panel's child";
    EXPECT_EQ(asked, (std::vector<std::string>{"TPANEL", "TBUTTON"}));
}

TEST_F(ControlMappingTest, AnythingTheHandlerSuppliesEndsTheVisit) {
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    TComponent keeper(nullptr);
    skinData->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl*, const std::string&,
                                  TComponent*& skin) { skin = &keeper; };
    Map(button);
    EXPECT_EQ(SkinClass(button), "");
}

// ---- rule 5: the Skin3rd class list ---------------------------------------------------------------

TEST_F(ControlMappingTest, TheDefaultListGivesAVirtualStringTreeScrollBars) {
    auto* tree = Add<TVirtualStringTree>(form, 10, 10, 200, 100);
    Map(tree);
    EXPECT_EQ(SkinClass(tree), "TSkinScrollbar");
}

TEST_F(ControlMappingTest, AListedClassIsSettledByItsLineWhateverTheTableSays) {
    Skin3rdLines(
        {"TButtonPlusX=button", "tbutton=NIL", "TEdit=nonsense", "TMemo=checkbox", "TPanel=groupbox"});
    Without(xcCheckBox);
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    auto* edit = Add<TEdit>(form, 10, 40, 80, 22);
    auto* memo = Add<TMemo>(form, 10, 70, 80, 60);
    auto* plus = Add<TButtonPlus>(form, 100, 10, 80, 24);
    auto* panel = Add<TPanel>(form, 200, 10, 100, 60);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(button), "") << "nil, case ignored";
    EXPECT_EQ(SkinClass(edit), "") << "an unknown kind";
    EXPECT_EQ(SkinClass(memo), "") << "a kind whose kind of control the skin data leaves alone";
    EXPECT_EQ(SkinClass(plus), "TSkinButton") << "a longer listed name does not match: the table decides";
    EXPECT_EQ(SkinClass(panel), "TSkinGroupBox");
}

TEST_F(ControlMappingTest, TheLookUpFindsTheFirstLineOfTheClassAndCutsItsKind) {
    TStringList lines;
    lines.Add("TGrid=Panel");
    lines.Add("tgrid=scrollbar");
    lines.Add("TGridX=edit");
    lines.Add("TLong=" + std::string(60, 'k'));
    EXPECT_EQ(Skin3rdKind(lines, "TGRID"), "panel");
    EXPECT_EQ(Skin3rdKind(lines, "TGridX"), "edit");
    EXPECT_EQ(Skin3rdKind(lines, "TLong"), std::string(50, 'k'));
    EXPECT_EQ(Skin3rdKind(lines, "TGri"), std::nullopt);
}

TEST_F(ControlMappingTest, AnEditKindSkinsOnlyAnEditWithABorder) {
    Skin3rdLines({"TEdit=edit"});
    auto* framed = Add<TEdit>(form, 10, 10, 80, 22);
    auto* bare = Add<TEdit>(form, 10, 40, 80, 22);
    bare->SetBorderStyle(bsNone);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(framed), "TSkinEdit");
    EXPECT_EQ(SkinClass(bare), "");
}

// ---- rule 6: classes never skinned -----------------------------------------------------------------

TEST_F(ControlMappingTest, ExcludedClassesStayUnskinnedThoughTheirAncestorIsInTheTable) {
    auto* combo = Add<TDBComboBoxEh>(form, 10, 10, 120, 22);
    Map(combo);
    EXPECT_EQ(SkinClass(combo), "");
}

// ---- rule 7: the built-in table ----------------------------------------------------------------------

TEST_F(ControlMappingTest, ButtonsAndBoxesGetTheirSkinsWhileTheirKindIsSkinned) {
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    auto* check = Add<TCheckBox>(form, 10, 40, 80, 20);
    auto* radio = Add<TRadioButton>(form, 10, 70, 80, 20);
    auto* bitButton = Add<TBitBtn>(form, 100, 10, 80, 24);
    auto* speed = Add<TSpeedButton>(form, 100, 40, 80, 24);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(button), "TSkinButton");
    EXPECT_EQ(SkinClass(check), "TSkinCheckBox");
    EXPECT_EQ(SkinClass(radio), "TSkinRadioButton");
    EXPECT_EQ(SkinClass(bitButton), "TSkinBitButton");
    EXPECT_EQ(SkinClass(speed), "TSkinSpeedButton");
}

TEST_F(ControlMappingTest, WithoutTheirKindButtonsAndBoxesStayAsTheyAre) {
    for (TSkinControlType kind : {xcCheckBox, xcRadioButton, xcBitBtn, xcSpeedButton})
        Without(kind);
    auto* check = Add<TCheckBox>(form, 10, 40, 80, 20);
    auto* radio = Add<TRadioButton>(form, 10, 70, 80, 20);
    auto* bitButton = Add<TBitBtn>(form, 100, 10, 80, 24);
    auto* speed = Add<TSpeedButton>(form, 100, 40, 80, 24);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(check), "");
    EXPECT_EQ(SkinClass(radio), "");
    EXPECT_EQ(SkinClass(bitButton), "") << "a bit button is settled by its own row, not the button's";
    EXPECT_EQ(SkinClass(speed), "");
}

TEST_F(ControlMappingTest, ScrolledControlsGetScrollBarsAndAMemoFallsToTheEditRowWithoutThem) {
    auto* memo = Add<TMemo>(form, 10, 10, 100, 60);
    auto* grid = Add<TStringGrid>(form, 120, 10, 150, 100);
    auto* list = Add<TListBox>(form, 10, 120, 100, 60);
    for (int i = 0; i < 20; ++i)
        list->Items()->Add("line");
    auto* view = Add<TListView>(form, 120, 120, 150, 100);
    auto* bar = Add<TScrollBar>(form, 280, 10, 100, 17);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(memo), "TSkinScrollbar");
    EXPECT_EQ(SkinClass(grid), "TSkinScrollbar");
    EXPECT_EQ(SkinClass(list), "TSkinScrollbar") << "a list box whose lines overflow has WS_VSCROLL";
    EXPECT_EQ(SkinClass(view), "TSkinListView");
    EXPECT_EQ(SkinClass(bar), "TSkinScControl");

    Without(xcScrollbar);
    auto* plainMemo = Add<TMemo>(form, 10, 200, 100, 60);
    Map(plainMemo);
    EXPECT_EQ(SkinClass(plainMemo), "TSkinEdit");
}

TEST_F(ControlMappingTest, PanelsAndGroupsAreRecolouredAfterTheirChildren) {
    auto* panel = Add<TPanel>(form, 10, 10, 200, 80);
    auto* inPanel = new TButton(nullptr);
    inPanel->SetParent(panel);
    auto* group = Add<TGroupBox>(form, 10, 100, 200, 80);
    auto* inGroup = new TCheckBox(nullptr);
    inGroup->SetParent(group);
    auto* radios = Add<TRadioGroup>(form, 220, 10, 150, 100);
    radios->Items()->Add("one");
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(panel), "TSkinBox");
    EXPECT_EQ(ColorToRGB(panel->Color()), ColorToRGB(SkinBackgroundColour(Skin()))) << "with the recolor on";
    EXPECT_EQ(SkinClass(inPanel), "TSkinButton") << "a child the form does not own";
    EXPECT_EQ(SkinClass(group), "TSkinGroupBox");
    EXPECT_EQ(SkinClass(inGroup), "TSkinCheckBox");
    EXPECT_EQ(SkinClass(radios), "TSkinGroupBox");
    EXPECT_EQ(ColorToRGB(radios->Color()), ColorToRGB(SkinBackgroundColour(Skin())));
    EXPECT_EQ(SkinClass(radios->Controls(0)), "TSkinRadioButton");
    delete inPanel;
    delete inGroup;
}

TEST_F(ControlMappingTest, TabsNeedTheSkinsTabImage) {
    auto* pages = Add<TPageControl>(form, 10, 10, 200, 120);
    auto* sheet = new TTabSheet(form);
    sheet->SetPageControl(pages);
    auto* buttons = Add<TPageControl>(form, 10, 140, 200, 120);
    buttons->SetStyle(tsButtons);
    auto* tabs = Add<TTabControl>(form, 220, 10, 150, 80);
    auto* tabSet = Add<TTabSet>(form, 220, 100, 150, 24);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(pages), "TSkinTab");
    EXPECT_EQ(SkinClass(sheet), "TSkinTabSheet");
    EXPECT_EQ(SkinClass(buttons), "TSkinTabBtn");
    ASSERT_EQ(SkinClass(tabs), "TSkinTab");
    EXPECT_EQ(skinForm->FindSkinControl(tabs)->Kind(), 2) << "a tab control paints its graphic children";
    EXPECT_EQ(SkinClass(tabSet), "TSkinTab31");

    skinData->Elements().Tabs->Image->SetSize(0, 0);
    auto* bare = Add<TPageControl>(form, 220, 140, 150, 80);
    Map(bare);
    EXPECT_EQ(SkinClass(bare), "");
}

TEST_F(ControlMappingTest, ExtendedCombosAndPageControlsWithTabPicturesGetTheirOwnSkins) {
    auto* listed = Add<TComboBoxEx>(form, 10, 10, 150, 24);
    auto* unlisted = Add<TImageCombo>(form, 10, 40, 150, 24);
    auto* pictured = Add<TAdvPageControl>(form, 170, 10, 200, 120);
    auto* sheet = new TTabSheet(form);
    sheet->SetPageControl(pictured);
    Mapping().SkinForm(*form);
    for (TWinControl* combo : std::initializer_list<TWinControl*>{listed, unlisted}) {
        ASSERT_EQ(SkinClass(combo), "TSkinComBox") << combo->ClassName();
        EXPECT_TRUE(dynamic_cast<TSkinComBox*>(skinForm->FindSkinControl(combo))->Extended())
            << combo->ClassName();
    }
    ASSERT_EQ(SkinClass(pictured), "TSkinAdvPage") << "not the plain tab skin of a page control";
    EXPECT_EQ(pictured->TabBackGround()->Width(), TSkinAdvPage::PictureWidth)
        << "it takes the skin's tab faces";
    EXPECT_EQ(pictured->Color(), Skin().Colours[3]) << "recoloured";

    Skin3rdLines({"TAdvPageControl=advpagecontrol", "TImageCombo=comboboxex"});
    auto* byKind = Add<TAdvPageControl>(form, 170, 140, 200, 120);
    auto* comboByKind = Add<TImageCombo>(form, 10, 70, 150, 24);
    Map(byKind);
    Map(comboByKind);
    EXPECT_EQ(SkinClass(byKind), "TSkinAdvPage");
    EXPECT_FALSE(byKind->TabBackGround()->Empty());
    ASSERT_EQ(SkinClass(comboByKind), "TSkinComBox");
    EXPECT_TRUE(dynamic_cast<TSkinComBox*>(skinForm->FindSkinControl(comboByKind))->Extended());
}

TEST_F(ControlMappingTest, BarsPickersAndTheRestOfTheCommonControls) {
    auto* status = Add<TStatusBar>(form, 0, 270, 400, 20);
    auto* progress = Add<TProgressBar>(form, 10, 10, 150, 16);
    auto* track = Add<TTrackBar>(form, 10, 40, 150, 30);
    auto* header = Add<THeaderControl>(form, 10, 80, 150, 20);
    auto* upDown = Add<TUpDown>(form, 170, 10, 16, 24);
    auto* combo = Add<TComboBox>(form, 170, 40, 120, 22);
    auto* picker = Add<TDateTimePicker>(form, 170, 80, 120, 22);
    auto* spinPicker = Add<TDateTimePicker>(form, 170, 110, 120, 22);
    spinPicker->SetDateMode(dmUpDown);
    auto* player = Add<TMediaPlayer>(form, 10, 140, 250, 30);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(status), "TSkinStatusBar");
    EXPECT_EQ(SkinClass(progress), "TSkinProgress");
    EXPECT_EQ(SkinClass(track), "TSkinTrackBar");
    EXPECT_EQ(SkinClass(header), "TSkinHeader");
    EXPECT_EQ(SkinClass(upDown), "TSkinUpDown");
    EXPECT_EQ(SkinClass(combo), "TSkinComBox");
    EXPECT_EQ(SkinClass(picker), "TSkinDateTime");
    EXPECT_EQ(SkinClass(spinPicker), "TSkinEdit");
    EXPECT_EQ(SkinClass(player), "TSkinMP");
}

TEST_F(ControlMappingTest, AToolBarTurnsFlatAndTakesThePaintersItLacksForAsLongAsItsSkinLives) {
    auto* toolBar = Add<TToolBar>(form, 0, 0, 400, 30);
    bool ownButtons = false;
    toolBar->OnCustomDrawButton = [&](TToolBar*, TToolButton*, TCustomDrawState, bool&) {
        ownButtons = true;
    };
    auto painterSkin = std::make_unique<TSkinData>(nullptr);
    const Bytes archive(DefaultSkinArchive().begin(), DefaultSkinArchive().end());
    painterSkin->SkinArchive().WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    ASSERT_TRUE(painterSkin->LoadSkinData());
    TControlMapping(*skinForm, *painterSkin).SkinForm(*form);
    EXPECT_EQ(SkinClass(toolBar), "TSkinBox");
    EXPECT_TRUE(toolBar->Flat());
    EXPECT_TRUE(toolBar->OnCustomDraw) << "the background painter";
    bool defaultDraw = true;
    toolBar->OnCustomDrawButton(toolBar, nullptr, TCustomDrawState{}, defaultDraw);
    EXPECT_TRUE(ownButtons) << "the program's own button event is kept";

    delete skinForm->FindSkinControl(toolBar);
    painterSkin.reset();
    EXPECT_FALSE(toolBar->OnCustomDraw) << "a painter whose skin is gone is taken back";
    EXPECT_TRUE(toolBar->OnCustomDrawButton);
}

TEST_F(ControlMappingTest, FramesAndEmbeddedFormsHaveTheirComponentsVisited) {
    auto* frame = Add<TFrame>(form, 10, 10, 200, 100);
    auto* inFrame = new TButton(frame);
    inFrame->SetParent(frame);
    auto* inner = new TForm(form);
    inner->SetParent(form);
    inner->SetBounds(220, 10, 150, 100);
    auto* inForm = new TButton(inner);
    inForm->SetParent(inner);
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(frame), "");
    EXPECT_EQ(SkinClass(inFrame), "TSkinButton");
    EXPECT_EQ(SkinClass(inner), "TSkinBox");
    EXPECT_EQ(SkinClass(inForm), "TSkinButton");
}

// ---- the walk ------------------------------------------------------------------------------------------

TEST_F(ControlMappingTest, TheWalkOwnerDrawsThePopupMenusUnderxcPopupMenu) {
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(menu);
    menu->Items()->Add(item);
    auto* away = new TPopupMenu(form);
    auto* awayItem = new TMenuItem(away);
    away->Items()->Add(awayItem);
    away->SetTag(skinData->DisableTag());
    Mapping().SkinForm(*form);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_TRUE(HasSkinPainter(*item));
    EXPECT_FALSE(HasSkinPainter(*awayItem));

    auto* later = new TPopupMenu(form);
    Without(xcPopupMenu);
    Mapping().SkinForm(*form);
    EXPECT_FALSE(later->OwnerDraw());
}

TEST_F(ControlMappingTest, TheWalkFindsControlsOtherComponentsOwnInTheTabOrder) {
    TComponent owner(nullptr);
    auto* button = new TButton(&owner);
    button->SetParent(form);
    button->HandleNeeded();
    auto* tagged = new TButton(&owner);
    tagged->SetParent(form);
    tagged->HandleNeeded();
    tagged->SetTag(skinData->DisableTag());
    Mapping().SkinForm(*form);
    EXPECT_EQ(SkinClass(button), "TSkinButton");
    EXPECT_EQ(SkinClass(tagged), "");
    button->SetParent(nullptr);
    tagged->SetParent(nullptr);
}
