#pragma once
// The fixture of the framework's window tests: a fresh headless display, errors that reach the
// application collected instead of shown, and no window left behind. Also a control whose
// WindowProc replacement records every message it sees.

#include "framework/controls/GraphicControl.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "platform/display/Headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Use();
        Application()->OnException = [this](TObject*, const Exception& error) {
            errors.push_back(error.Message());
        };
    }
    void TearDown() override {
        forms.clear();
        Application()->ProcessMessages();
        Application()->OnException = nullptr;
        EXPECT_EQ(GetTopWindow(nullptr) == nullptr || !IsWindowVisible(GetTopWindow(nullptr)), true);
    }

    // A form owned by the test, finished and placed at (100, 100).
    template <typename T = TForm>
    T* NewForm(int width = 300, int height = 200) {
        auto* form = new T(nullptr);
        forms.emplace_back(form);
        form->SetBounds(100, 100, width, height);
        form->AfterConstruction();
        return form;
    }
    // Runs the application's message loop until nothing is left (keys go through the
    // framework's key handling).
    void Pump() {
        Application()->ProcessMessages();
        platform::headless::RunUntilIdle();
        Application()->ProcessMessages();
    }
    // The screen position of a control's client point.
    static TPoint OnScreen(TControl* control, int x, int y) { return control->ClientToScreen(Point(x, y)); }

    std::vector<std::unique_ptr<TCustomForm>> forms;
    std::vector<std::string> errors;
};

// Records the messages of a control through its WindowProc slot and passes them on.
class MessageSpy : public TObject {
public:
    explicit MessageSpy(TControl* control) : m_control(control), m_previous(control->WindowProc()) {
        control->SetWindowProc(TWndMethod::Of(this, &MessageSpy::WndProc));
    }
    // Puts back what it found when it is still the control's slot.
    ~MessageSpy() override {
        if (m_control->WindowProc() == TWndMethod::Of(this, &MessageSpy::WndProc))
            m_control->SetWindowProc(m_previous);
    }
    void WndProc(TMessage& message) {
        seen.push_back(message.Msg);
        m_previous(message);
    }
    TWndMethod Previous() const { return m_previous; }
    bool Saw(UINT message) const { return std::find(seen.begin(), seen.end(), message) != seen.end(); }
    int Count(UINT message) const { return static_cast<int>(std::count(seen.begin(), seen.end(), message)); }

    std::vector<UINT> seen;

private:
    TControl* m_control;
    TWndMethod m_previous;
};
