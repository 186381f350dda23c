#pragma once
// TSkinElements: every skin element and colour a skin describes, built from a skin archive's
// description and bitmaps by ReadSkinElements. The skin data component holds one; everything
// that draws the skin reads it.

#include "skin/data/SkinElements.h"

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHandle.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TSkinReader;
class TQuickIni;

constexpr int SkinColourCount = 19;
constexpr int SkinCustomColourCount = 10;

class TSkinElements {
public:
    // The elements that always exist (the four borders, Title, Buttons) are made here.
    TSkinElements();
    virtual ~TSkinElements();
    TSkinElements(const TSkinElements&) = delete;
    TSkinElements& operator=(const TSkinElements&) = delete;

    // Builds every element from the description, loading the images it names from the
    // archive. Missing sections, keys and images give the defaults; nothing is reported.
    void ReadSkinElements(const TSkinReader& reader, const TQuickIni& ini);

    // The archive entry named by the file-name part of an INI value (after the last "\" or
    // ":"), when its extension is exactly ".bmp"; otherwise, or when the entry is missing,
    // empty or not a readable bitmap, the bitmap is emptied.
    void LoadElementImage(TBitmap& bitmap, std::string_view value);
    // The generic element of a section: none when its "Image" key is empty.
    void ReadElement(std::unique_ptr<TDataSkinObject>& field, std::string_view section);
    // As ReadElement, with a second image from `key` and no frame key.
    void ReadBorderElement(std::unique_ptr<TDataSkinBorder>& field, std::string_view section,
                           std::string_view key);

    std::unique_ptr<TDataSkinBorder> BorderLeft;
    std::unique_ptr<TDataSkinBorder> BorderRight;
    std::unique_ptr<TDataSkinBorder> BorderTop;
    std::unique_ptr<TDataSkinBorder> BorderBottom;
    std::unique_ptr<TDataSkinTitle> Title;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll;
    std::unique_ptr<TDataSkinObject> VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb;
    std::unique_ptr<TDataSkinObject> VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz;
    std::unique_ptr<TDataSkinObject> TrackbarThumbVert;
    std::unique_ptr<TDataSkinObject> TrackbarThumbLeft;
    std::unique_ptr<TDataSkinObject> TrackbarThumbRight;
    std::unique_ptr<TDataSkinObject> TrackbarThumbUp;
    std::unique_ptr<TDataSkinObject> TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz;
    std::unique_ptr<TDataSkinBorder> UpDownVert;
    std::unique_ptr<TDataSkinObject> Track;
    std::unique_ptr<TDataSkinObject> TrackVert;
    std::unique_ptr<TDataSkinObject> ComboArrow;
    std::unique_ptr<TDataSkinObject> Toolbar;

    std::array<TColor, SkinColourCount> Colours{};
    std::array<bool, SkinColourCount> ColourGiven{};
    std::vector<TColor> SectionColours;
    std::array<TColor, SkinCustomColourCount> CustomColours{};
    TColor FrameColour = 0;
    TGdiHandle<HBRUSH> FaceBrush;
    std::string SkinName;

private:
    // The steps of ReadSkinElements, in their order.
    void ReadBorders();
    void ReadColours();
    void ReadSysButtons();
    void ReadButtons();
    void ReadTitle();
    void ReadBarElements();
    void ReadControlElements();
    void SetFixedFrameCounts();
    void ComposeComboImage();
    void MakeComboArrow();
    void MakeToolbar(TColor frameColour);
    TColor SampledFrameColour() const;

    // Replaces the field with a new element of the section when its "Image" key names one
    // (loaded), or leaves it none; the element or null.
    template <typename T>
    T* StartElement(std::unique_ptr<T>& field, std::string_view section);
    // The common keys of an element section: margins, style, frames, flags and colours.
    void ReadCommonKeys(TDataSkinObject& element, std::string_view section, bool readFrame);
    void ReadSecondColours(TDataSkinObject& element, std::string_view section);
    std::string ReadString(std::string_view section, std::string_view key) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    // Borrowed for the length of ReadSkinElements.
    const TSkinReader* reader = nullptr;
    const TQuickIni* ini = nullptr;
    std::vector<std::string> sectionNames;
};
