#pragma once
// TSkinData: the component that carries a skin and switches skinning on and off. The form that
// owns it stores its properties, the compressed skin archive among them ("SkinStream"); when the
// archive is read the skin's elements are built, and when the form has finished loading the
// component hands the skinning of the program's windows to the skin manager (SkinManage.h).
// Everything that draws the skin reads it from here.

#include "core/Stream.h"
#include "core/StringList.h"
#include "framework/classes/Events.h"
#include "framework/controls/Component.h"
#include "framework/graphics/GraphTypes.h"
#include "skin/data/SkinElementSet.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TBitmap;
class TControl;
class TCustomImageList;
class TFont;
class THintWindow;

// Which windows a skin data skins.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// Behaviour switches of the form and control skins.
enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoToolbarButton,
    xoMDIChildBorder,
    xoMenuBG,
    xoCaptionButtonHint,
    xoFormScrollbar
};
using TSkinOptions = TSet<TSkinOption>;

// The kinds of controls and menus that are skinned.
enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport
};
using TSkinControlTypes = TSet<TSkinControlType>;

const TEnumInfo& SkinFormTypeIdents();
const TEnumInfo& SkinOptionIdents();
const TEnumInfo& SkinControlTypeIdents();

// Every kind from xcMainMenu to xcSystemMenu except xcMenuItem (0x1FFFFB).
constexpr TSkinControlTypes DefaultSkinControls{static_cast<std::int64_t>(0x1FFFFB)};
// xoPreview, xoToolbarBK and xoCaptionButtonHint (1096).
constexpr TSkinOptions DefaultSkinOptions{xoPreview, xoToolbarBK, xoCaptionButtonHint};
constexpr int DefaultDisableTag = 99;
constexpr const char* SkinDataVersion = "5.40.07.15";

class TSkinData;
class TSkinMenuImages;

// Asked before a window is skinned; the handler may change the decision. The window asked about
// is the sender's QueryWindow().
using TOnFormSkin = std::function<void(TObject* sender, const std::string& aName, bool& DoSkin)>;
// Raised before and after a form is skinned.
using TOnSkinForm = std::function<void(TObject* sender, HWND ahwnd, const std::string& aName)>;
// Asked before a control is skinned; a handler that sets SkinnedControl supplies the control's
// skin object itself.
using TOnSkinControl =
    std::function<void(TComponent* sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                       const std::string& ControlClass, TComponent*& SkinnedControl)>;

class TSkinData : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // Published properties, in their order.
    bool Active() const { return m_active; }
    void SetActive(bool active);
    int DisableTag() const { return m_disableTag; }
    void SetDisableTag(int tag) { m_disableTag = tag; }
    TSkinControlTypes SkinControls() const { return m_skinControls; }
    void SetSkinControls(TSkinControlTypes controls) { m_skinControls = controls; }
    TSkinOptions Options() const { return m_options; }
    void SetOptions(TSkinOptions options) { m_options = options; }
    // Lines "ClassName=kind" that map control classes the engine does not know to skin kinds.
    const TStringList& Skin3rd() const { return m_skin3rd; }
    void SetSkin3rd(const TStringList& lines) { m_skin3rd = lines; }
    const std::string& SkinFile() const { return m_skinFile; }
    // At run time, loads the file when it exists (and applies it); a path without a file keeps
    // the previous skin's elements and leaves NoSkin at 1.
    void SetSkinFile(const std::string& path);
    // "(none)" at run time; writing it does nothing.
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return m_skinFormtype; }
    void SetSkinFormtype(TSkinFormType type) { m_skinFormtype = type; }
    std::string Version() const { return SkinDataVersion; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return m_menuUpdate; }
    void SetMenuUpdate(bool update) { m_menuUpdate = update; }
    bool MenuMerge() const { return m_menuMerge; }
    void SetMenuMerge(bool merge) { m_menuMerge = merge; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // The stored form of the archive (the form's "SkinStream"): a 32-bit little-endian length n,
    // then n bytes. Reading builds the skin at run time; a length of 0 stores nothing else.
    // Reading raises Exception ("Stream read error") when the stream ends early.
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream) const;

    // Builds the skin from SkinArchive(): false, with the previous skin's elements kept and
    // NoSkin 1, when the archive is not a readable skin.
    bool LoadSkinData();
    // After a new skin was loaded from SkinFile: lets the manager skin the windows again.
    void ApplySkin();
    // The manager's skin-or-not question about a window of a class.
    void AskSkinForm(HWND window, const std::string& className, bool& decision);
    // Raises OnSkinChanged: the manager ran a request of this skin data.
    void NotifySkinChanged();
    // Shows the caption button hint at the position's top-left (xoCaptionButtonHint only, and
    // once until hidden).
    void ShowCaptionHint(const TRect& position, const std::string& text);
    void HideCaptionHint();

    TSkinElements& Elements() { return *m_elements; }
    const TSkinElements& Elements() const { return *m_elements; }
    // The compressed archive: the stored stream or a skin file's bytes.
    TMemoryStream& SkinArchive() { return m_skinArchive; }
    // 1 until a skin's description has been read completely; 0 while a skin is loaded.
    std::uint8_t NoSkin() const { return m_noSkin; }
    bool HintShown() const { return m_hintShown != 0; }
    THintWindow& HintWindow() { return *m_hintWindow; }
    // The application's small icon on magenta (the transparent colour), 24 bits.
    TBitmap& AppIcon() { return *m_appIcon; }
    // Restore, maximise, minimise and close, 16 x 16 each.
    TCustomImageList& MenuGlyphs() { return *m_menuGlyphs; }
    // The menus' composed pictures of the loaded skin, made on first use.
    TSkinMenuImages& MenuImages();
    TFont& CaptionFont() { return *m_captionFont; }
    int MaximizedWidth() const { return m_maximizedWidth; }
    int MaximizedHeight() const { return m_maximizedHeight; }
    // The window of the last skin-or-not question.
    HWND QueryWindow() const { return m_queryWindow; }
    // 1 from construction; the form frame uses it.
    std::uint8_t FrameFlag() const { return m_frameFlag; }
    void SetFrameFlag(std::uint8_t flag) { m_frameFlag = flag; }

    // After the owning form was read: hands the program's windows to the skin manager.
    void Loaded() override;

private:
    bool Reading() const { return ComponentState().Contains(csLoading); }
    void MakeCaptionFont();
    void MakeAppIcon();
    void MakeMenuGlyphs();
    void SwitchMainFormSkin(bool active);
    void KeepFrameImagesAs32Bits();

    bool m_active = false;
    int m_disableTag = DefaultDisableTag;
    TSkinControlTypes m_skinControls = DefaultSkinControls;
    TSkinOptions m_options = DefaultSkinOptions;
    TStringList m_skin3rd;
    std::string m_skinFile;
    TSkinFormType m_skinFormtype = sfMainform;
    bool m_menuUpdate = true;
    bool m_menuMerge = false;

    std::unique_ptr<TSkinElements> m_elements;
    TMemoryStream m_skinArchive;
    std::uint8_t m_noSkin = 1;
    std::unique_ptr<THintWindow> m_hintWindow;
    std::uint8_t m_hintShown = 0;
    std::unique_ptr<TBitmap> m_appIcon;
    std::unique_ptr<TCustomImageList> m_menuGlyphs;
    std::unique_ptr<TSkinMenuImages> m_menuImages;
    std::unique_ptr<TFont> m_captionFont;
    int m_maximizedWidth = 0;
    int m_maximizedHeight = 0;
    HWND m_queryWindow = nullptr;
    std::uint8_t m_frameFlag = 1;
};

// The lines Skin3rd holds from construction.
const TStringList& DefaultSkin3rd();
