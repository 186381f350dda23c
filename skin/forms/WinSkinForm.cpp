// TWinSkinForm: attaching to a window, starting, the list of control skins, unskinning.

#include "skin/forms/WinSkinForm.h"

#include "framework/controls/Component.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Canvas.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>

// Tells the skin when its framework form is freed, so that it never uses a freed form.
class TWinSkinForm::TFormWatch : public TComponent {
public:
    TFormWatch(TWinSkinForm& skin, TCustomForm& form) : TComponent(nullptr), m_skin(skin), m_form(&form) {
        form.FreeNotification(this);
    }
    ~TFormWatch() override {
        if (m_form)
            m_form->RemoveFreeNotification(this);
    }

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
      }) {
    if (form)
        m_formWatch = std::make_unique<TFormWatch>(*this, *form);
}

TWinSkinForm::~TWinSkinForm() {
    m_subclass.Detach();
    // The bare windows' control skins go first: they take themselves out of the list.
    m_bareSkinOwner.reset();
}

void TWinSkinForm::FormGone() {
    m_form = nullptr;
}

// ---- attaching -----------------------------------------------------------------------------

void TWinSkinForm::AttachToForm(TSkinData& skinData) {
    if (m_form && skinData.OnBeforeSkinForm)
        skinData.OnBeforeSkinForm(m_form, m_window, m_className);
    AttachSetup(skinData);
}

void TWinSkinForm::AttachToWindow(TSkinData& skinData) {
    AttachSetup(skinData);
}

void TWinSkinForm::AttachSetup(TSkinData& skinData) {
    m_skinData = &skinData;
    m_manager.SetRunState(rsStarted);
    ReadWindowFacts();
    ReadWindowState();
    m_subclass.Attach(m_window);
    ReloadSkin();
    m_skinState = TSkinFormState::Running;
}

void TWinSkinForm::ReadWindowFacts() {
    m_style = static_cast<DWORD>(GetWindowLongA(m_window, GWL_STYLE));
    m_exStyle = static_cast<DWORD>(GetWindowLongA(m_window, GWL_EXSTYLE));
    m_dialogClass = m_className == "#32770" || m_className == "TMessageForm";
    m_rightToLeft = (m_exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    m_child = (m_style & WS_CHILD) != 0;
    m_sizeable = (m_style & WS_THICKFRAME) != 0;
    m_ownerWindow = GetWindow(m_window, GW_OWNER);

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
    if (!m_skinData || m_borderKind == TBorderKind::NoCaption) {
        m_leftWidth = m_captionHeight = m_rightWidth = m_bottomHeight = m_menuBarHeight = 0;
        return;
    }
    const TSkinElements& skin = m_skinData->Elements();
    // A frame count below 1 counts as one frame.
    auto frames = [](const TDataSkinObject& element) { return std::max(element.FrameCount, 1); };
    m_captionHeight = skin.BorderTop->Image->Height() / frames(*skin.BorderTop);
    m_leftWidth = skin.BorderLeft->Image->Width() / frames(*skin.BorderLeft);
    m_rightWidth = skin.BorderRight->Image->Width() / frames(*skin.BorderRight);
    m_bottomHeight = skin.BorderBottom->Image->Height() / frames(*skin.BorderBottom);
}

// ---- the window's messages -----------------------------------------------------------------

LRESULT TWinSkinForm::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SM_SKINNEDQUERY:
        PostMessageA(window, SM_SKINNEDNOTIFY, 0, SkinMagic);
        return SkinnedAnswer;
    case SM_STARTSKIN:
        Start();
        return 0;
    case WM_NCDESTROY: {
        m_skinState = TSkinFormState::Unskinning;
        Unskin();
        const LRESULT result = m_subclass.CallPrevious(window, message, wParam, lParam);
        m_skinState = TSkinFormState::Dead;
        return result;
    }
    case WM_INITMENUPOPUP:
        m_manager.SetMenuMode(reinterpret_cast<HMENU>(wParam) == m_systemMenu && m_systemMenu ? mmSystemMenu
                                                                                              : mmMenuBar);
        break;
    default:
        break;
    }
    return m_subclass.CallPrevious(window, message, wParam, lParam);
}

void TWinSkinForm::Start() {
    if (m_started || m_skinState == TSkinFormState::Dead)
        return;
    m_started = true;
    m_systemMenu = GetSystemMenu(m_window, FALSE);
    RECT windowRect{};
    RECT clientRect{};
    if (GetWindowRect(m_window, &windowRect) && GetClientRect(m_window, &clientRect)) {
        m_nativeFrameExtra = {(windowRect.right - windowRect.left) - clientRect.right,
                              (windowRect.bottom - windowRect.top) - clientRect.bottom};
    }
    SkinnedNotification();
    m_skinState = TSkinFormState::Running;
}

void TWinSkinForm::SkinnedNotification() {
    SendMessageA(m_window, SM_SKINNEDNOTIFY, 0, SkinMagic);
    if (m_skinData && m_skinData->OnAfterSkinForm)
        m_skinData->OnAfterSkinForm(m_form, m_window, m_className);
}

void TWinSkinForm::Unskin() {
    m_subclass.Detach();
}

void TWinSkinForm::ApplySkinChange() {
    m_skinState = TSkinFormState::Applying;
    ReloadSkin();
    SkinnedNotification();
    m_skinState = TSkinFormState::Running;
}

void TWinSkinForm::MdiMaximisedChanged() {
    if (m_windowKind != TSkinWindowKind::MdiChild || !IsWindow(m_window))
        return;
    SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
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

TComponent* TWinSkinForm::BareWindowSkinOwner() {
    if (!m_bareSkinOwner)
        m_bareSkinOwner = std::make_unique<TComponent>(nullptr);
    return m_bareSkinOwner.get();
}
