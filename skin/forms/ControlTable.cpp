// The built-in table of the control mapping, top to bottom.

#include "skin/forms/ControlTable.h"

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "framework/classes/TypInfo.h"
#include "framework/comctrls/AdvPageControl.h"
#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/HeaderControl.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/extctrls/RadioGroup.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/grid/Grid.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "framework/stdctrls/ScrollBars.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinBitButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/forms/ControlMapping.h"
#include "skin/forms/SkinMenuOwnerDraw.h"

#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

using TMatch = std::function<bool(TControl&, const std::string&)>;
using TAllowed = std::function<bool(const TControlMapping&)>;
using TAction = std::function<void(TControlMapping&, TControl&, TComponent*)>;

struct TTableRow {
    TMatch matches;
    TAllowed allowed;
    TAction action;
};

template <typename Class>
TMatch IsA() {
    return [](TControl& control, const std::string&) { return control.InheritsFrom(Class::ClassInfo()); };
}

TMatch Named(std::initializer_list<std::string_view> names) {
    std::vector<std::string_view> list(names);
    return [list](TControl&, const std::string& className) {
        for (std::string_view name : list) {
            if (className == name)
                return true;
        }
        return false;
    };
}

TAllowed Needs(TSkinControlType kind) {
    return [kind](const TControlMapping& mapping) { return mapping.Has(kind); };
}

TAllowed NeedsTabs() {
    return [](const TControlMapping& mapping) { return mapping.Has(xcTab) && mapping.HasTabImages(); };
}

TAllowed Always() {
    return [](const TControlMapping&) { return true; };
}

template <typename Skin>
TAction Give(bool recolor = false) {
    return [recolor](TControlMapping& mapping, TControl& control, TComponent*) {
        mapping.Give<Skin>(control, recolor);
    };
}

TAction GiveScrollbars() {
    return [](TControlMapping& mapping, TControl& control, TComponent*) {
        mapping.AttachScrollbars(new TSkinScrollbar(&control), control);
    };
}

TAction GiveGlyphStrip(TForeignGlyphKind kind) {
    return [kind](TControlMapping& mapping, TControl& control, TComponent*) {
        mapping.Attach(new TSkinObjImage(&control, kind));
    };
}

void VisitChildren(TControlMapping& mapping, TControl& control, TComponent* container) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&control))
        mapping.SkinChildControls(*windowed, container);
}

// Keeps the tool-bar painters alive as long as the tool bar whose events point at them, and takes
// the events it set back when the skin data goes first.
class TToolBarPainterHolder : public TComponent {
public:
    TToolBarPainterHolder(TToolBar& toolBar, TSkinData& skinData)
        : TComponent(&toolBar), m_toolBar(toolBar), m_skinData(&skinData), m_painter(&skinData),
          m_setBackground(!toolBar.OnCustomDraw), m_setButtons(!toolBar.OnCustomDrawButton) {
        m_painter.Attach(&toolBar);
        skinData.FreeNotification(this);
    }
    ~TToolBarPainterHolder() override {
        if (m_skinData)
            m_skinData->RemoveFreeNotification(this);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != opRemove || component != m_skinData)
            return;
        m_skinData = nullptr;
        if (m_setBackground)
            m_toolBar.OnCustomDraw = nullptr;
        if (m_setButtons)
            m_toolBar.OnCustomDrawButton = nullptr;
    }

private:
    TToolBar& m_toolBar;
    TSkinData* m_skinData;
    TSkinToolBarPainter m_painter;
    bool m_setBackground;
    bool m_setButtons;
};

void SkinTabControl(TControlMapping& mapping, TControl& control, TComponent*) {
    auto* pages = dynamic_cast<TPageControl*>(&control);
    if (!pages)
        mapping.Attach(new TSkinOfKind<TSkinTab>(&control, TabKindWithGraphicChildren));
    else if (pages->Style() != tsTabs)
        mapping.Give<TSkinTabBtn>(control);
    else
        mapping.Give<TSkinTab>(control);
}

void SkinRadioGroup(TControlMapping& mapping, TControl& control, TComponent*) {
    auto& group = dynamic_cast<TWinControl&>(control);
    for (int i = 0; i < group.ControlCount(); ++i) {
        TControl& button = *group.Controls(i);
        if (!mapping.Skinned(button))
            mapping.Give<TSkinRadioButton>(button);
    }
    mapping.Give<TSkinGroupBox>(control, true);
}

void SkinToolBar(TControlMapping& mapping, TControl& control, TComponent*) {
    auto& toolBar = dynamic_cast<TToolBar&>(control);
    SetPropValue(&toolBar, "Flat", "True");
    new TToolBarPainterHolder(toolBar, mapping.SkinData());
    mapping.Give<TSkinBox>(toolBar);
    if (TMainMenu* menu = toolBar.Menu())
        SwitchMenuItemTree(mapping.SkinData(), *menu->Items(), true);
}

void SkinDatePicker(TControlMapping& mapping, TControl& control, TComponent*) {
    auto& picker = dynamic_cast<TDateTimePicker&>(control);
    if (picker.DateMode() == dmUpDown || picker.Kind() == dtkTime)
        mapping.Give<TSkinEdit>(control);
    else
        mapping.Give<TSkinDateTime>(control);
}

// An edit of another library with an optional drop-down button ("NumButtons" 1) or none (0).
void SkinButtonEdit(TControlMapping& mapping, TControl& control, TComponent*) {
    const std::int64_t buttons = GetOrdProp(&control, "NumButtons");
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (buttons == 1 && mapping.Has(xcCombo)) {
        mapping.Give<TSkinComBox>(control);
    } else if (buttons == 0 && mapping.Has(xcEdit) && windowed) {
        mapping.AttachByHandle(new TSkinEdit(&control), windowed->Handle());
    }
}

bool IsEmbeddedForm(TControl& control, const std::string&) {
    return control.InheritsFrom(TCustomForm::ClassInfo()) && control.Parent();
}

bool HasExtendedComboBoxWindow(TControl& control, const std::string&) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    return windowed && windowed->HandleAllocated() && IsExtendedComboBoxWindow(windowed->Handle());
}

bool HoldsMenuItem(TControl& control, const std::string&) {
    auto* button = dynamic_cast<TToolButton*>(&control);
    return button && button->MenuItem();
}

const std::vector<TTableRow>& Rows() {
    static const std::vector<TTableRow> rows = {
        // A page control that draws its tabs on pictures is handed the skin's tab faces.
        {IsA<TAdvPageControl>(), NeedsTabs(),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             mapping.Attach(new TSkinAdvPage(&control, AdvPageKindTabPictures), true);
         }},
        {IsA<TCustomTabControl>(), NeedsTabs(), SkinTabControl},
        {HoldsMenuItem, Needs(xcMainMenu),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             SwitchMenuItemTree(mapping.SkinData(), *dynamic_cast<TToolButton&>(control).MenuItem(), true);
         }},
        {Named({"TTABSET"}), NeedsTabs(), Give<TSkinTab31>()},
        {IsA<TTabSheet>(), NeedsTabs(), Give<TSkinTabSheet>()},
        {Named({"TTABBEDNOTEBOOK"}), NeedsTabs(), Give<TSkinTab>()},
        {Named({"TMVCPANEL"}), Always(), VisitChildren},
        {IsA<THeaderControl>(), Needs(xcPanel), Give<TSkinHeader>()},
        {IsA<TCheckBox>(), Needs(xcCheckBox), Give<TSkinCheckBox>()},
        {IsA<TTrackBar>(), Needs(xcTrackBar), Give<TSkinTrackBar>()},
        {Named({"TUPDOWN", "TSPINBUTTON"}), Needs(xcSpin), Give<TSkinUpDown>()},
        {Named({"TMEDIAPLAYER"}), Needs(xcButton), Give<TSkinMP>()},
        {IsA<TCustomRadioGroup>(), Needs(xcRadioButton), SkinRadioGroup},
        {Named({"TDBNAVIGATOR"}), Needs(xcPanel),
         [](TControlMapping& mapping, TControl& control, TComponent* container) {
             mapping.Give<TSkinBox>(control, true);
             VisitChildren(mapping, control, container);
         }},
        {Named({"TRZDBCHECKBOX", "TRZCHECKBOX"}), Needs(xcCheckBox), GiveGlyphStrip(fgCheckCustomGlyphs)},
        {Named({"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}), Needs(xcRadioButton),
         GiveGlyphStrip(fgRadioCustomGlyphs)},
        {Named({"TCXDBCHECKBOX", "TCXCHECKBOX"}), Needs(xcCheckBox), GiveGlyphStrip(fgCheckPropertiesGlyph)},
        {IsA<TCustomGroupBox>(), Needs(xcPanel),
         [](TControlMapping& mapping, TControl& control, TComponent* container) {
             VisitChildren(mapping, control, container);
             mapping.Give<TSkinGroupBox>(control);
         }},
        {IsA<TRadioButton>(), Needs(xcRadioButton), Give<TSkinRadioButton>()},
        {IsA<TToolBar>(), Needs(xcToolbar), SkinToolBar},
        {IsA<TCustomStatusBar>(), Needs(xcStatusBar), Give<TSkinStatusBar>()},
        {IsA<TProgressBar>(), Needs(xcProgress), Give<TSkinProgress>()},
        {IsA<TScrollBar>(), Needs(xcScrollbar),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             mapping.AttachScrollControl(new TSkinScControl(&control), control);
         }},
        {HasExtendedComboBoxWindow, Needs(xcCombo),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             auto* skin = new TSkinComBox(&control);
             skin->SetExtended(true);
             mapping.Attach(skin);
         }},
        {Named({"TTNTCOMBOBOX"}), Needs(xcCombo), Give<TSkinComBox>()},
        {IsA<TCustomComboBox>(), Needs(xcCombo), Give<TSkinComBox>()},
        {IsA<TDateTimePicker>(), Needs(xcEdit), SkinDatePicker},
        {Named({"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}), Needs(xcScrollbar), GiveScrollbars()},
        // A bit button is settled here: without xcBitBtn it stays as it is.
        {IsA<TBitBtn>(), Always(),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             if (mapping.Has(xcBitBtn))
                 mapping.Give<TSkinBitButton>(control);
         }},
        {IsA<TSpeedButton>(), Needs(xcSpeedButton), Give<TSkinSpeedButton>()},
        {IsA<TCustomPanel>(), Needs(xcPanel),
         [](TControlMapping& mapping, TControl& control, TComponent* container) {
             VisitChildren(mapping, control, container);
             mapping.Give<TSkinBox>(control, true);
         }},
        {Named({"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}), Needs(xcScrollbar), GiveScrollbars()},
        {IsA<TCustomListView>(), Needs(xcScrollbar),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             mapping.AttachScrollbars(new TSkinListView(&control), control);
         }},
        {IsA<TCustomMemo>(), Needs(xcScrollbar), GiveScrollbars()},
        {IsA<TCustomGrid>(), Needs(xcScrollbar), GiveScrollbars()},
        {[](TControl& control, const std::string&) { return HasScrolledWindow(control); }, Needs(xcScrollbar),
         GiveScrollbars()},
        {IsA<TButton>(), Needs(xcButton), Give<TSkinButton>()},
        {IsA<TCustomEdit>(), Needs(xcEdit), Give<TSkinEdit>()},
        {Named({"TDCEDIT", "TDCDBEDIT"}), Always(), SkinButtonEdit},
        {IsA<TCustomFrame>(), Always(),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             mapping.SkinOwnedComponents(control);
         }},
        {IsEmbeddedForm, Always(),
         [](TControlMapping& mapping, TControl& control, TComponent*) {
             mapping.Give<TSkinBox>(control, true);
             mapping.SkinOwnedComponents(control);
         }},
    };
    return rows;
}

} // namespace

bool HasScrolledWindow(TControl& control) {
    if (control.InheritsFrom(TMemo::ClassInfo()))
        return true;
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed || !windowed->HandleAllocated())
        return false;
    const auto style = static_cast<DWORD>(GetWindowLongA(windowed->Handle(), GWL_STYLE));
    return (style & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

bool ApplyBuiltInRow(TControlMapping& mapping, TControl& control, const std::string& className,
                     TComponent* container) {
    for (const TTableRow& row : Rows()) {
        if (row.matches(control, className) && row.allowed(mapping)) {
            row.action(mapping, control, container);
            return true;
        }
    }
    return false;
}
