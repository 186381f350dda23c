#include "framework/forms/Application.h"

#include "framework/controls/GraphicControl.h"
#include "framework/forms/Form.h"
#include "framework/forms/HintTracker.h"
#include "framework/forms/Screen.h"

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

const TClass& TApplication::ClassInfo() {
    static const TClass info("TApplication", &TComponent::ClassInfo());
    return info;
}

TApplication* Application() {
    static TApplication application(nullptr);
    return &application;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    Destroying();
    RestoreMessageSink();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_mainForm)
        m_mainForm = nullptr;
}

void TApplication::Run() {
    if (m_mainForm)
        m_mainForm->Show();
    while (!m_terminated)
        HandleMessage();
    RestoreMessageSink();
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

bool TApplication::IsKeyMessage(MSG& message) {
    UINT reflected = 0;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        reflected = CN_KEYDOWN;
        break;
    case WM_CHAR:
        reflected = CN_CHAR;
        break;
    default:
        return false;
    }
    // The framework control of the focused window, or of its nearest framework parent.
    TWinControl* control = nullptr;
    for (HWND window = message.hwnd; window && !control; window = GetParent(window))
        control = FindControl(window);
    if (!control)
        return false;
    if (control->Perform(reflected, message.wParam, message.lParam) != 0)
        return true;
    // A key the control left alone may be a shortcut of its form's menu bar.
    TCustomForm* form = GetParentForm(control);
    return reflected == CN_KEYDOWN && form &&
           form->IsShortCut(static_cast<WORD>(message.wParam), KeyboardShiftState());
}

bool TApplication::ProcessMessage() {
    MSG message{};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        m_terminated = true;
        return true;
    }
    try {
        HintMessage(message);
        if (!IsMDIMessage(message) && !IsKeyMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } catch (...) {
        HandleException(this);
    }
    return true;
}

void TApplication::Idle() {
    FreeDeviceContexts();
    if (OnIdle) {
        try {
            OnIdle(this);
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) {
        Idle();
        if (!m_terminated)
            WaitMessage();
    }
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void TApplication::HandleException(TObject* sender) {
    try {
        throw;
    } catch (const Exception& error) {
        if (OnException)
            OnException(sender, error);
        else
            ShowException(error);
    } catch (const std::exception& error) {
        const Exception wrapped(error.what());
        if (OnException)
            OnException(sender, wrapped);
        else
            ShowException(wrapped);
    }
}

void TApplication::ShowException(const Exception& error) {
    MessageBox(ErrorBoxText(error.Message()), m_title, MB_OK | MB_ICONHAND);
}

void TApplication::SetShowHint(bool showHint) {
    m_showHint = showHint;
    if (!showHint)
        CancelHint();
}

void TApplication::SetHint(const std::string& hint) {
    if (hint == m_hint)
        return;
    m_hint = hint;
    if (OnHint)
        OnHint(this);
}

void TApplication::CancelHint() {
    if (m_hints)
        m_hints->Cancel();
}

void TApplication::HintMessage(const MSG& message) {
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        if (message.message == WM_MOUSEMOVE)
            ClientToScreen(message.hwnd, &point);
        if (!m_hints)
            m_hints = std::make_unique<THintTracker>(*this);
        m_hints->MouseMoved(point);
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        CancelHint();
        break;
    default:
        break;
    }
}
