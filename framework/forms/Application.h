#pragma once
// TApplication: the program's message loop, its forms, its title and the standard error box
// for errors that leave an event handler.

#include "core/MessageSink.h"
#include "framework/classes/Events.h"
#include "framework/controls/Component.h"
#include "framework/controls/Messages.h"
#include "platform/user/WinUser.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

class TCustomForm;
class THintTracker;

using TExceptionEvent = std::function<void(TObject* sender, const Exception& error)>;

// The text the standard error box shows for an error message: a "." is appended when the last
// character sorts above "." (a full stop or a closing bracket is left alone; "！" gets one).
std::string ErrorBoxText(const std::string& message);

class TApplication : public TComponent {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    // From here until Run returns (or the application is destroyed), the code's message sink
    // shows its messages as message boxes owned by the active form; the sink found here is put
    // back then. Installing at Initialize, not at Run, lets a message raised while the main
    // form loads (before the loop starts) reach the person as a box too.
    void Initialize();
    // Makes a form owned by the application; the first one becomes the main form.
    template <typename T>
    void CreateForm(T*& reference) {
        auto* form = new T(this);
        reference = form;
        if (!m_mainForm)
            m_mainForm = form;
        form->AfterConstruction();
    }
    TCustomForm* MainForm() const { return m_mainForm; }
    void SetMainForm(TCustomForm* form) { m_mainForm = form; }

    // Shows the main form and runs the message loop until Terminate. The program frees its
    // forms after Run and before main returns: the application ends with the program's
    // statics, after the window system and the text converters its forms still need.
    void Run();
    // Takes one message (waiting for one when none is there) and dispatches it.
    void HandleMessage();
    // Dispatches the messages that are there, without waiting.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return m_terminated; }

    // For a catch block: the error being handled goes to OnException or the standard box.
    void HandleException(TObject* sender);
    // The standard box: the error's text (ErrorBoxText), the title as caption, the error icon,
    // owned by the active form.
    void ShowException(const Exception& error);
    // A message box owned by the active form.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    int HintPause() const { return m_hintPause; }
    void SetHintPause(int pause) { m_hintPause = pause; }
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int pause) { m_hintHidePause = pause; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool showHint);
    // The pause before the next hint when the mouse moves on from a shown one.
    int HintShortPause() const { return m_hintShortPause; }
    void SetHintShortPause(int pause) { m_hintShortPause = pause; }
    // The long part of the hint of the control under the mouse; OnHint runs when it changes.
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    // Hides the hint shown now, if any.
    void CancelHint();

    TExceptionEvent OnException;
    TNotifyEvent OnIdle;
    TNotifyEvent OnHint;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // One message if there is one; false when the queue was empty.
    bool ProcessMessage();
    // Keys go to the focused control as CN_KEYDOWN / CN_CHAR first (dialog keys, key events);
    // true when it took the key.
    bool IsKeyMessage(MSG& message);
    void Idle();
    void RestoreMessageSink();
    // Mouse moves lead the hints; presses and keys put them away.
    void HintMessage(const MSG& message);

    std::string m_title;
    TCustomForm* m_mainForm = nullptr;
    bool m_terminated = false;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
    bool m_showHint = true;
    int m_hintShortPause = 50;
    std::string m_hint;
    std::unique_ptr<THintTracker> m_hints;
    TMessageSink m_previousSink;
    bool m_sinkInstalled = false;
};

// The one application object of the program.
TApplication* Application();
