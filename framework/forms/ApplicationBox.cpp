#include "framework/forms/Application.h"

#include "core/MessageSink.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "platform/controls/dialogs/MessageBox.h"

namespace {

// The window a box of the application belongs to: the active form's, else the main form's,
// else none. A form whose window does not exist yet is passed over rather than made for it.
HWND BoxOwner() {
    for (TCustomForm* form : {Screen()->ActiveForm(), Application()->MainForm()}) {
        if (form && form->HandleAllocated() && IsWindow(form->Handle()))
            return form->Handle();
    }
    return nullptr;
}

} // namespace

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxA(BoxOwner(), text.c_str(), caption.c_str(), flags);
}

void TApplication::Initialize() {
    if (m_sinkInstalled)
        return;
    m_previousSink = SetMessageSink([this](const std::string& text) { MessageBox(text, m_title, MB_OK); });
    m_sinkInstalled = true;
}

void TApplication::RestoreMessageSink() {
    if (!m_sinkInstalled)
        return;
    SetMessageSink(std::move(m_previousSink));
    m_previousSink = nullptr;
    m_sinkInstalled = false;
}
