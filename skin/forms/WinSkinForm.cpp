// TWinSkinForm: attaching to a window, starting, applying a new skin, unskinning, and the list
// of control skins.

#include "skin/forms/WinSkinForm.h"

#include "framework/classes/TypInfo.h"
#include "framework/controls/Component.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/Form.h"
#include "framework/forms/Timer.h"
#include "framework/graphics/Canvas.h"
#include "framework/grid/Grid.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>

namespace {

constexpr int HoverInterval = 250;

} // namespace

// Tells the skin when its framework form is freed, so that it never uses a freed form; also the
// object whose method takes the form's place in its WindowProc slot.
class TWinSkinForm::TFormWatch : public TComponent {
public:
    TFormWatch(TWinSkinForm& skin, TCustomForm& form) : TComponent(nullptr), m_skin(skin), m_form(&form) {
        form.FreeNotification(this);
    }
    ~TFormWatch() override {
        if (m_form)
            m_form->RemoveFreeNotification(this);
    }
    void FormProc(TMessage& message) { m_skin.FormWindowProc(message); }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == m_form) {
            m_form = nullptr;
            m_skin.FormGone();
        }
    }

private:
    TWinSkinForm& m_skin;
    TCustomForm* m_form;
};

TWinSkinForm::TWinSkinForm(TSkinManage& manager, TCustomForm* form)
    : m_manager(manager), m_form(form),
      m_subclass([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
          return WindowProcedure(window, message, wParam, lParam);
      }),
      m_mdiClientSubclass([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
          return MdiClientProcedure(window, message, wParam, lParam);
      }),
      m_caption(std::make_unique<TSkinCaption>(*this)) {
    if (form)
        m_formWatch = std::make_unique<TFormWatch>(*this, *form);
}

TWinSkinForm::~TWinSkinForm() {
    m_subclass.Detach();
    if (m_form && m_savedFormProc)
        m_form->SetWindowProc(m_savedFormProc);
    m_caption.reset();
    m_hoverTimer.reset();
    // No control skin may outlive the form skin it reports to.
    ReleaseSkinControls(false);
    m_bareSkinOwner.reset();
}

void TWinSkinForm::FormGone() {
    m_form = nullptr;
    m_savedFormProc = TWndMethod{};
}

// ---- attaching -----------------------------------------------------------------------------

void TWinSkinForm::AttachToForm(TSkinData& skinData) {
    if (m_form && skinData.OnBeforeSkinForm)
        skinData.OnBeforeSkinForm(m_form, m_window, m_className);
    if (m_form && skinData.SkinControls().Contains(xcMenuItem))
        SetPropValue(m_form, "AutoScroll", "False");
    AttachSetup(skinData);
    if (!m_form)
        return;
    if (m_frameSkinning) {
        m_savedFormProc = m_form->WindowProc();
        m_form->SetWindowProc(TWndMethod::Of(m_formWatch.get(), &TFormWatch::FormProc));
    }
    m_savedFormColor = m_form->Color();
    m_formColorSaved = true;
    m_form->SetColor(skinData.Elements().Colours[3]);
}

void TWinSkinForm::AttachToWindow(TSkinData& skinData) {
    AttachSetup(skinData);
}

void TWinSkinForm::AttachSetup(TSkinData& skinData) {
    m_skinData = &skinData;
    m_manager.SetRunState(rsStarted);
    m_hoverTimer = std::make_unique<TTimer>(nullptr);
    m_hoverTimer->SetEnabled(false);
    m_hoverTimer->SetInterval(HoverInterval);
    m_hoverTimer->SetOnTimer([this](TObject*) { m_caption->HoverTick(); });

    ReadWindowFacts();
    ReadWindowState();
    // The window's system menu is made from its styles when first asked for: before the skin
    // takes the caption button styles away.
    m_systemMenu = GetSystemMenu(m_window, FALSE);
    m_frameSkinning =
        skinData.SkinControls().Contains(xcMainMenu) &&
        !(m_windowKind == TSkinWindowKind::MdiChild && skinData.Options().Contains(xoMDIChildBorder));
    // Systems before NT have no skinned system menu.
    if ((SkinVersionWord() & 0x80000000u) != 0)
        skinData.SetSkinControls(skinData.SkinControls() - TSkinControlTypes{xcSystemMenu});
    AttachMdiClient();
    m_subclass.Attach(m_window);
    if (!m_frameSkinning) {
        m_skinState = TSkinFormState::Running;
        return;
    }
    const bool keepButtonStyles = m_windowState == TSkinWindowState::Minimised ||
                                  (m_windowKind == TSkinWindowKind::MdiChild && m_manager.MdiMaximised());
    if (!keepButtonStyles)
        ClearCaptionButtonStyles();
    if (m_menuBarHeight > 0)
        m_menuBar = std::make_unique<TSkinFrameMenuBar>(*this, skinData, m_form ? m_form->Menu() : nullptr);
    ReloadSkin();
    if (m_windowKind == TSkinWindowKind::MdiChild) {
        // The top of the frame is at least as high as the native caption.
        const int native = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (m_captionHeight < native)
            m_menuBarHeight = native - m_captionHeight;
        if (m_windowState == TSkinWindowState::Maximised)
            m_manager.MdiMaximise(1);
    }
}

void TWinSkinForm::ReadWindowFacts() {
    m_style = static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE));
    m_exStyle = static_cast<DWORD>(GetWindowLongA(m_window, GWL_EXSTYLE));
    m_dialogClass = m_className == "#32770" || m_className == "TMessageForm";
    m_rightToLeft = (m_exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    m_child = (m_style & WS_CHILD) != 0;
    m_sizeable = (m_style & WS_THICKFRAME) != 0;
    m_ownerWindow = GetWindow(m_window, GW_OWNER);

    m_captionButtons = 0;
    if ((m_style & WS_SYSMENU) != 0)
        m_captionButtons |= cbSystemMenu;
    if ((m_style & WS_MINIMIZEBOX) != 0)
        m_captionButtons |= cbMinimise;
    if ((m_style & WS_MAXIMIZEBOX) != 0)
        m_captionButtons |= cbMaximise;
    if ((m_exStyle & WS_EX_CONTEXTHELP) != 0)
        m_captionButtons |= cbHelp;

    if ((m_style & WS_CAPTION) != WS_CAPTION)
        m_borderKind = TBorderKind::NoCaption;
    else if (m_sizeable)
        m_borderKind = TBorderKind::Sizeable;
    else if ((m_style & 0x80) != 0 || (m_exStyle & WS_EX_DLGMODALFRAME) != 0 || m_dialogClass)
        m_borderKind = TBorderKind::Dialog;
    else
        m_borderKind = TBorderKind::Single;

    m_mdiClient = nullptr;
    if ((m_exStyle & WS_EX_MDICHILD) != 0) {
        m_windowKind = TSkinWindowKind::MdiChild;
    } else if (HWND client = FindWindowExA(m_window, nullptr, "MDIClient", nullptr)) {
        m_windowKind = TSkinWindowKind::MdiFrame;
        m_mdiClient = client;
    } else {
        m_windowKind = TSkinWindowKind::Ordinary;
    }
    // A window with its own menu keeps room for it below the caption; the skinned menu bar
    // draws there.
    m_menuBarHeight =
        GetMenu(m_window) && m_windowKind != TSkinWindowKind::MdiChild ? GetSystemMetrics(SM_CYMENU) : 0;
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(m_window, &placement))
        return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        m_windowState = TSkinWindowState::Minimised;
        break;
    case SW_SHOWMAXIMIZED:
        m_windowState = TSkinWindowState::Maximised;
        break;
    default:
        m_windowState = TSkinWindowState::Normal;
        break;
    }
}

void TWinSkinForm::ReloadSkin() {
    if (!m_skinData)
        return;
    if (m_borderKind == TBorderKind::NoCaption) {
        m_leftWidth = m_captionHeight = m_rightWidth = m_bottomHeight = m_menuBarHeight = 0;
    } else {
        const TSkinElements& skin = m_skinData->Elements();
        // A frame count below 1 counts as one frame.
        auto frames = [](const TDataSkinObject& element) { return std::max(element.FrameCount, 1); };
        m_captionHeight = skin.BorderTop->Image->Height() / frames(*skin.BorderTop);
        m_leftWidth = skin.BorderLeft->Image->Width() / frames(*skin.BorderLeft);
        m_rightWidth = skin.BorderRight->Image->Width() / frames(*skin.BorderRight);
        m_bottomHeight = skin.BorderBottom->Image->Height() / frames(*skin.BorderBottom);
    }
    m_caption->RebuildButtons();
}

void TWinSkinForm::FreeCaptionButtons() {
    m_caption->FreeButtons();
}

// ---- starting --------------------------------------------------------------------------------

void TWinSkinForm::Start() {
    if (m_started || m_skinState == TSkinFormState::Dead)
        return;
    m_started = true;
    m_systemMenu = GetSystemMenu(m_window, FALSE);
    if ((m_captionButtons & cbSystemMenu) == 0 && m_systemMenu)
        m_captionButtons |= cbSystemMenu;
    m_caption->LoadIcon();
    RECT windowRect{};
    RECT clientRect{};
    if (GetWindowRect(m_window, &windowRect) && GetClientRect(m_window, &clientRect)) {
        m_nativeFrameExtra = {(windowRect.right - windowRect.left) - clientRect.right,
                              (windowRect.bottom - windowRect.top) - clientRect.bottom};
    }
    SkinControls();
    if (m_frameSkinning && m_skinState == TSkinFormState::Attached) {
        if (m_windowKind == TSkinWindowKind::MdiChild) {
            if (m_windowState == TSkinWindowState::Maximised) {
                // The child's parent is the MDI client, which redraws the frame.
                PostMessageA(GetParent(m_window), SM_REDRAWMDIFRAME, reinterpret_cast<WPARAM>(m_window), 0);
            } else if (m_windowState == TSkinWindowState::Minimised) {
                RestoreCaptionButtonStyles();
            } else if (m_windowState == TSkinWindowState::Normal) {
                m_skinState = TSkinFormState::Starting;
                FrameLayout(true);
                m_skinState = TSkinFormState::Running;
                BuildRegion();
            }
        } else if (!m_child && m_borderKind != TBorderKind::NoCaption &&
                   m_windowState != TSkinWindowState::Minimised) {
            m_skinState = TSkinFormState::Starting;
            FrameLayout(true);
            m_skinState = TSkinFormState::Running;
            if (m_windowState == TSkinWindowState::Normal)
                BuildRegion();
            else
                RecalculateFrame();
        }
    }
    SkinnedNotification();
    m_skinState = TSkinFormState::Running;
    EnableHoverTimer(Active());
}

void TWinSkinForm::SkinnedNotification() {
    SendMessageA(m_window, SM_SKINNEDNOTIFY, 0, SkinMagic);
    if (m_skinData && m_skinData->OnAfterSkinForm)
        m_skinData->OnAfterSkinForm(m_form, m_window, m_className);
}

void TWinSkinForm::EnableHoverTimer(bool enabled) {
    m_hoverWanted = enabled && m_started;
    UpdateHoverTimer();
}

void TWinSkinForm::UpdateHoverTimer() {
    if (m_hoverTimer)
        m_hoverTimer->SetEnabled(m_hoverWanted && m_caption && m_caption->HotObject());
}

// ---- a new skin --------------------------------------------------------------------------------

void TWinSkinForm::SkinChanged() {
    if (m_form && m_skinData) {
        const TColor faceColour = m_skinData->Elements().Colours[3];
        m_form->SetColor(faceColour);
        for (int i = 0; i < m_form->ComponentCount(); ++i) {
            TComponent* component = m_form->Components(i);
            if (auto* embedded = dynamic_cast<TCustomForm*>(component))
                embedded->SetColor(faceColour);
            else if (auto* grid = dynamic_cast<TCustomGrid*>(component))
                grid->SetFixedColor(faceColour);
        }
    }
    m_skinState = TSkinFormState::Applying;
    ControlSkinsChanged();
    if (m_frameSkinning) {
        FrameLayout(false);
        // A full frame calculation: the height changes and changes back.
        RECT rect{};
        GetWindowRect(m_window, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        SetWindowPos(m_window, nullptr, 0, 0, width, height + 1, flags);
        SetWindowPos(m_window, nullptr, 0, 0, width, height, flags);
        BuildRegion();
    }
    SkinnedNotification();
    m_skinState = TSkinFormState::Running;
}

void TWinSkinForm::ApplySkinChange() {
    SkinChanged();
}

void TWinSkinForm::MdiMaximisedChanged() {
    if (m_windowKind != TSkinWindowKind::MdiChild || !IsWindow(m_window))
        return;
    if (m_manager.MdiMaximised())
        RestoreCaptionButtonStyles();
    else
        ClearCaptionButtonStyles();
    RecalculateFrame();
}

// ---- unskinning ----------------------------------------------------------------------------------

void TWinSkinForm::Unskin(TUnskinMode mode) {
    const bool destroying = mode == TUnskinMode::Destroying;
    m_caption->FreeSystemMenu();
    EnableHoverTimer(false);
    m_caption->CloseHint();
    if (m_form && m_savedFormProc) {
        m_form->SetWindowProc(m_savedFormProc);
        m_savedFormProc = TWndMethod{};
    }
    m_subclass.Detach();
    m_mdiClientSubclass.Detach();
    ReleaseSkinControls(destroying);
    // The window gets its menu back, and destroys it with itself when it is going.
    m_menuBar.reset();
    if (m_form && m_formColorSaved && !destroying) {
        m_form->SetColor(m_savedFormColor);
        m_formColorSaved = false;
    }
    if (!m_frameSkinning || !IsWindow(m_window))
        return;
    RestoreCaptionButtonStyles();
    if (destroying)
        return;
    if ((!m_child || m_windowKind == TSkinWindowKind::MdiChild) && m_started) {
        RECT client{};
        GetClientRect(m_window, &client);
        SetWindowPos(m_window, nullptr, 0, 0, client.right + m_nativeFrameExtra.cx,
                     client.bottom + m_nativeFrameExtra.cy,
                     SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (m_regionSet) {
        SetWindowRgn(m_window, nullptr, TRUE);
        m_regionSet = false;
    }
}

// ---- the control skins -----------------------------------------------------------------------

TCanvas* TWinSkinForm::ControlCanvas() {
    if (!m_controlCanvas)
        m_controlCanvas = std::make_unique<TCanvas>();
    return m_controlCanvas.get();
}

void TWinSkinForm::AddSkinControl(TSkinControl* skin, TControl* control, HWND window) {
    if (!skin)
        return;
    auto listed = [skin](const TListedSkin& entry) { return entry.skin == skin; };
    if (std::any_of(m_skinControls.begin(), m_skinControls.end(), listed))
        return;
    m_skinControls.push_back({skin, control, window});
}

void TWinSkinForm::ReleaseSkinControls(bool destroying) {
    while (!m_skinControls.empty()) {
        TSkinControl* skin = m_skinControls.back().skin;
        m_skinControls.pop_back();
        // A window on its way out has no look to take back.
        if (!destroying && IsWindow(skin->Window()))
            skin->Unskin();
        delete skin;
    }
}

void TWinSkinForm::RemoveSkinControl(const TSkinControl* skin) {
    for (auto entry = m_skinControls.rbegin(); entry != m_skinControls.rend(); ++entry) {
        if (entry->skin == skin) {
            m_skinControls.erase(std::next(entry).base());
            return;
        }
    }
}

TSkinControl* TWinSkinForm::FindSkinControl(const TControl* control) const {
    for (const TListedSkin& entry : m_skinControls) {
        if (control && entry.control == control)
            return entry.skin;
    }
    return nullptr;
}

TSkinControl* TWinSkinForm::FindSkinControlByWindow(HWND window) const {
    for (const TListedSkin& entry : m_skinControls) {
        if (window && entry.window == window)
            return entry.skin;
    }
    return nullptr;
}

void TWinSkinForm::ReskinScrolledControl(HWND oldWindow) {
    TSkinControl* old = FindSkinControlByWindow(oldWindow);
    if (!old)
        return;
    auto* control = dynamic_cast<TWinControl*>(old->Control());
    TComponent* owner = old->Owner();
    const bool listView = old->ClassType().InheritsFrom(TSkinListView::ClassInfo());
    // The old object leaves the list as it goes.
    delete old;
    if (!control)
        return;
    TSkinScrollbar* fresh = listView ? new TSkinListView(owner) : new TSkinScrollbar(owner);
    fresh->InitScrollSkin(control, m_skinData, this, ControlCanvas());
}

TComponent* TWinSkinForm::BareWindowSkinOwner() {
    if (!m_bareSkinOwner)
        m_bareSkinOwner = std::make_unique<TComponent>(nullptr);
    return m_bareSkinOwner.get();
}
