#pragma once
// THeaderControl over the platform's "SysHeader32" window: a row of sections (THeaderSection:
// text, width kept between MinWidth and MaxWidth, alignment, image, clickable or not, drawn by
// the header or by OnDrawSection) that the user clicks and resizes by their dividers. The
// sections live here and are written into every window made for the control.

#include "framework/controls/StdTypes.h"
#include "framework/controls/WinControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TChangeLink;
class TCustomImageList;
class THeaderControl;
class THeaderSection;
class THeaderSections;

enum THeaderSectionStyle { hsText, hsOwnerDraw };
enum TSectionTrackState { tsTrackBegin, tsTrackMoving, tsTrackEnd };

const TEnumInfo& HeaderSectionStyleIdents();

using TSectionNotifyEvent = std::function<void(THeaderControl* header, THeaderSection* section)>;
using TSectionTrackEvent =
    std::function<void(THeaderControl* header, THeaderSection* section, int width, TSectionTrackState state)>;
using TDrawSectionEvent =
    std::function<void(THeaderControl* header, THeaderSection* section, const TRect& rect, bool pressed)>;

class THeaderSection : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit THeaderSection(THeaderSections& collection) : m_collection(collection) {}

    int Index() const;
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text);
    int Width() const { return m_width; }
    void SetWidth(int width);
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int width);
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int width);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    bool AllowClick() const { return m_allowClick; }
    void SetAllowClick(bool allow) { m_allowClick = allow; }
    THeaderSectionStyle Style() const { return m_style; }
    void SetStyle(THeaderSectionStyle style);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    // The section's left and right edges in the header.
    int Left() const;
    int Right() const { return Left() + m_width; }

    void Assign(const TPersistent* source) override;

private:
    friend class THeaderControl;
    void Changed();
    // The width the header reports, kept without writing it back.
    void WidthFromWindow(int width) { m_width = width; }

    THeaderSections& m_collection;
    std::string m_text;
    int m_width = 50;
    int m_minWidth = 0;
    int m_maxWidth = 10000;
    TAlignment m_alignment = taLeftJustify;
    bool m_allowClick = true;
    THeaderSectionStyle m_style = hsText;
    int m_imageIndex = -1;
};

class THeaderSections : public TPersistent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit THeaderSections(THeaderControl& header) : m_header(header) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    THeaderSection* Items(int index) const;
    THeaderSection* Add();
    THeaderSection* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const THeaderSection* section) const;

    void Assign(const TPersistent* source) override;

private:
    friend class THeaderSection;

    THeaderControl& m_header;
    std::vector<std::unique_ptr<THeaderSection>> m_items;
};

class THeaderControl : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections* Sections() const { return m_sections.get(); }
    void SetSections(THeaderSections* sections) { m_sections->Assign(sections); }
    bool HotTrack() const { return m_hotTrack; }
    void SetHotTrack(bool hotTrack);
    // The sections follow the divider while it is dragged, not only when it is let go.
    bool FullDrag() const { return m_fullDrag; }
    void SetFullDrag(bool fullDrag);
    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* images);
    // The canvas an OnDrawSection handler draws on.
    TCanvas* Canvas() const { return m_canvas.get(); }

    void Dispatch(TMessage& message) override;

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;
    TSectionTrackEvent OnSectionTrack;
    TDrawSectionEvent OnDrawSection;

protected:
    friend class THeaderSections;
    friend class THeaderSection;

    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void SectionClick(THeaderSection* section);
    virtual void SectionResize(THeaderSection* section);
    virtual void SectionTrack(THeaderSection* section, int width, TSectionTrackState state);
    virtual void DrawSection(THeaderSection* section, const TRect& rect, bool pressed);

    // Writes every section into the window (sections added, removed or moved).
    void WriteSections();
    // Writes one section's text, width, format and image.
    void WriteSection(int index);

private:
    void CNNotify(TMessage& message);
    void CNDrawItem(TMessage& message);
    void ImageListChange();

    std::unique_ptr<THeaderSections> m_sections;
    bool m_hotTrack = false;
    bool m_fullDrag = true;
    TCustomImageList* m_images = nullptr;
    std::unique_ptr<TChangeLink> m_imageLink;
    std::unique_ptr<TCanvas> m_canvas;
};
