// The Skin3rd class list: finding a class's line and skinning the control as its kind says.

#include "skin/forms/Skin3rd.h"

#include "core/StringList.h"
#include "core/TextUtils.h"
#include "framework/classes/TypInfo.h"
#include "framework/controls/WinControl.h"
#include "framework/stdctrls/ScrollBars.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinBitButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/controls/SkinProperties.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinTabs.h"
#include "skin/forms/ControlMapping.h"
#include "skin/forms/ControlTable.h"

#include <functional>
#include <map>

namespace {

// A kind is read up to this many characters.
constexpr std::size_t KindLength = 50;

// The scroll-bar skin's Kind for a control with one bar.
constexpr int SingleBarKind = 1;

template <typename Skin>
void Give(TControlMapping& mapping, TControl& control, bool recolor = false) {
    mapping.Give<Skin>(control, recolor);
}

using TKindAction = std::function<void(TControlMapping&, TControl&, const std::string&, TComponent*)>;

// Whether the window has a border: its window and client rectangles differ in size.
bool HasBorder(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed)
        return false;
    RECT outer{};
    RECT client{};
    if (!GetWindowRect(windowed->Handle(), &outer) || !GetClientRect(windowed->Handle(), &client))
        return false;
    return outer.right - outer.left != client.right || outer.bottom - outer.top != client.bottom;
}

// The combo box skin, for the extended combo box when the kind says so or the window is one
// (a plain combo skin would draw its image over the extended box's inner combo box).
void GiveComboSkin(TControlMapping& mapping, TControl& control, bool extended) {
    auto* skin = new TSkinComBox(&control);
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    skin->SetExtended(extended || (windowed && IsExtendedComboBoxWindow(windowed->Handle())));
    mapping.Attach(skin);
}

void MakeTransparent(TControl& control) {
    SetPropValue(&control, "Transparent", "True");
}

// The children of a group each get a glyph strip (a library whose class has "TRZ" in its name)
// or a box button skin, the recolor on for the strip.
template <typename BoxSkin>
void SkinGroupChildren(TControlMapping& mapping, TControl& group, const std::string& className,
                       TForeignGlyphKind stripKind) {
    auto* windowed = dynamic_cast<TWinControl*>(&group);
    if (!windowed)
        return;
    const bool foreign = className.find("TRZ") != std::string::npos;
    for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl& child = *windowed->Controls(i);
        if (mapping.Skinned(child))
            continue;
        if (foreign)
            mapping.Attach(new TSkinObjImage(&child, stripKind), true);
        else
            mapping.Give<BoxSkin>(child);
    }
}

void SkinEmbeddedBars(TControlMapping& mapping, TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed)
        return;
    for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl& child = *windowed->Controls(i);
        if (mapping.Skinned(child))
            continue;
        if (auto* bar = dynamic_cast<TScrollBar*>(&child)) {
            mapping.AttachScrollControl(new TSkinScControl(bar), *bar);
        } else if (HasScrolledWindow(child)) {
            mapping.AttachScrollbars(new TSkinScrollbar(&child), child);
        }
    }
}

// Each kind: the kind of control the skin data must skin (none for a few), then what it does.
struct TKindRow {
    std::optional<TSkinControlType> needs;
    TKindAction action;
};

const std::map<std::string, TKindRow, std::less<>>& KindRows() {
    static const std::map<std::string, TKindRow, std::less<>> rows = {
        {"nil", {std::nullopt, [](auto&, auto&, auto&, auto*) {}}},
        {"combobox", {xcCombo, [](auto& m, auto& c, auto&, auto*) { GiveComboSkin(m, c, false); }}},
        {"comboboxex", {xcCombo, [](auto& m, auto& c, auto&, auto*) { GiveComboSkin(m, c, true); }}},
        {"edit",
         {xcEdit,
          [](auto& m, auto& c, auto&, auto*) {
              if (HasBorder(c))
                  Give<TSkinEdit>(m, c);
          }}},
        {"radiobutton",
         {xcRadioButton, [](auto& m, auto& c, auto&, auto*) { Give<TSkinRadioButton>(m, c); }}},
        {"panel",
         {xcPanel,
          [](auto& m, auto& c, auto&, auto*) {
              MakeTransparent(c);
              Give<TSkinBox>(m, c, true);
          }}},
        {"trackbar",
         {xcButton,
          [](auto& m, auto& c, auto&, auto*) {
              MakeTransparent(c);
              Give<TSkinTrackBar>(m, c);
          }}},
        {"button", {xcButton, [](auto& m, auto& c, auto&, auto*) { Give<TSkinButton>(m, c); }}},
        {"datetimepicker", {xcCombo, [](auto& m, auto& c, auto&, auto*) { Give<TSkinDateTime>(m, c); }}},
        {"mediaplayer", {xcButton, [](auto& m, auto& c, auto&, auto*) { Give<TSkinMP>(m, c); }}},
        {"bitbtn",
         {xcButton,
          [](auto& m, auto& c, const std::string& name, auto*) {
              if (name == "TCXBUTTON" && LowerCase(GetEnumProp(&c, "Kind")) == "cxbkdropdownbutton")
                  Give<TSkinMenuButton>(m, c);
              else
                  Give<TSkinBitButton>(m, c);
          }}},
        {"pngbitbtn",
         {xcButton,
          [](auto& m, auto& c, auto&, auto*) {
              auto* skin = new TSkinBitButton(&c);
              skin->SetPictureProperty("PngImage");
              m.Attach(skin);
          }}},
        {"pngspeedbutton",
         {xcButton,
          [](auto& m, auto& c, auto&, auto*) {
              auto* skin = new TSkinSpeedButton(&c);
              skin->SetPictureProperty("PngImage");
              m.Attach(skin);
          }}},
        {"menubtn", {xcButton, [](auto& m, auto& c, auto&, auto*) { Give<TSkinMenuButton>(m, c); }}},
        {"speedbutton",
         {xcSpeedButton, [](auto& m, auto& c, auto&, auto*) { Give<TSkinSpeedButton>(m, c); }}},
        {"tab",
         {xcTab,
          [](auto& m, auto& c, auto&, auto*) {
              if (m.HasTabImages())
                  Give<TSkinTab>(m, c);
          }}},
        {"progress", {xcProgress, [](auto& m, auto& c, auto&, auto*) { Give<TSkinProgress>(m, c); }}},
        {"scrollbar",
         {xcScrollbar,
          [](auto& m, auto& c, auto&, auto* container) {
              m.AttachScrollbars(new TSkinScrollbar(&c), c);
              if (auto* windowed = dynamic_cast<TWinControl*>(&c))
                  m.SkinChildControls(*windowed, container);
          }}},
        {"singlescrollbar",
         {xcScrollbar,
          [](auto& m, auto& c, auto&, auto*) {
              m.AttachScrollbars(new TSkinOfKind<TSkinScrollbar>(&c, SingleBarKind), c);
          }}},
        {"embedscrollbar", {xcScrollbar, [](auto& m, auto& c, auto&, auto*) { SkinEmbeddedBars(m, c); }}},
        {"container",
         {std::nullopt,
          [](auto& m, auto& c, auto&, auto* container) {
              if (auto* windowed = dynamic_cast<TWinControl*>(&c))
                  m.SkinChildControls(*windowed, container);
          }}},
        {"groupbox", {xcGroupBox, [](auto& m, auto& c, auto&, auto*) { Give<TSkinGroupBox>(m, c); }}},
        // A page control that draws its tabs on pictures gets the skin's tab faces as those pictures.
        {"advpagecontrol",
         {xcTab, [](auto& m, auto& c, auto&,
                    auto*) { m.Attach(new TSkinAdvPage(&c, AdvPageKindTabPictures), true); }}},
        {"radiogroup",
         {xcGroupBox,
          [](auto& m, auto& c, const std::string& name, auto*) {
              if (m.Has(xcRadioButton))
                  SkinGroupChildren<TSkinRadioButton>(m, c, name, fgRadioCustomGlyphs);
              Give<TSkinGroupBox>(m, c);
          }}},
        {"checkgroup",
         {xcPanel,
          [](auto& m, auto& c, const std::string& name, auto*) {
              if (m.Has(xcRadioButton))
                  SkinGroupChildren<TSkinCheckBox>(m, c, name, fgCheckCustomGlyphs);
              if (m.Has(xcGroupBox))
                  Give<TSkinGroupBox>(m, c);
          }}},
        {"checkbox", {xcCheckBox, [](auto& m, auto& c, auto&, auto*) { Give<TSkinCheckBox>(m, c); }}},
    };
    return rows;
}

} // namespace

std::optional<std::string> Skin3rdKind(const TStringList& lines, std::string_view className) {
    const std::string prefix = LowerCase(className) + "=";
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = LowerCase(lines[i]);
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size(), KindLength);
    }
    return std::nullopt;
}

void ApplySkin3rdKind(TControlMapping& mapping, TControl& control, const std::string& className,
                      const std::string& kind, TComponent* container) {
    const auto row = KindRows().find(kind);
    if (row == KindRows().end())
        return;
    if (row->second.needs && !mapping.Has(*row->second.needs))
        return;
    row->second.action(mapping, control, className, container);
}
