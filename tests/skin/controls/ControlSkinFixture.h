#pragma once
// The fixture of the control skin tests: a fresh headless display, a skin data component
// holding the default (or another built) skin, forms owned by the test, and a stand-in for the
// skinned form that keeps the list of control skins the way a skinned window does.

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/display/Headless.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/WinSkinData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace controlskins {

using Bytes = std::vector<std::uint8_t>;

// A skin the build draws into build/skins/ ("default", "dark").
inline Bytes SkinFileBytes(const std::string& design) {
    std::ifstream file(std::string(QUILLMERE_BIN_DIR) + "/../skins/" + design + ".skn", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The form side of control skinning as the control skins see it: the list they register in.
class TTestSkinForm : public SkinFormServices {
public:
    explicit TTestSkinForm(TSkinData* skinData) : m_skinData(skinData) {}

    TSkinData* SkinData() const override { return m_skinData; }
    TCanvas* ControlCanvas() override { return &m_canvas; }
    void AddSkinControl(TSkinControl* skin, TControl* control, HWND window) override {
        if (std::none_of(listed.begin(), listed.end(), [&](const Entry& e) { return e.skin == skin; }))
            listed.push_back({skin, control, window});
    }
    void RemoveSkinControl(const TSkinControl* skin) override {
        auto found =
            std::find_if(listed.rbegin(), listed.rend(), [&](const Entry& e) { return e.skin == skin; });
        if (found != listed.rend())
            listed.erase(std::next(found).base());
    }
    TSkinControl* FindSkinControl(const TControl* control) const override {
        for (const Entry& e : listed)
            if (e.control == control)
                return e.skin;
        return nullptr;
    }
    TSkinControl* FindSkinControlByWindow(HWND window) const override {
        for (const Entry& e : listed)
            if (e.window == window)
                return e.skin;
        return nullptr;
    }
    TComponent* BareWindowSkinOwner() override { return &m_bareOwner; }
    int LeftBorderWidth() const override { return 0; }
    int CaptionHeight() const override { return 0; }
    int RightBorderWidth() const override { return 0; }
    int BottomBorderHeight() const override { return 0; }
    int MenuBarHeight() const override { return 0; }
    HWND FormWindow() const override { return window; }

    struct Entry {
        TSkinControl* skin;
        TControl* control;
        HWND window;
    };
    std::vector<Entry> listed;
    HWND window = nullptr;

private:
    TSkinData* m_skinData;
    TCanvas m_canvas;
    TComponent m_bareOwner{nullptr};
};

// Lets the mouse button go at a point as soon as the system's scroll-bar loop takes its first
// message, after running `whileHeld`. (A held arrow keeps the loop's repeat timer due, so the
// loop never waits idle for the test's next step.)
class TReleaseInTrackingLoop {
public:
    TReleaseInTrackingLoop(POINT at, std::function<void()> whileHeld = {})
        : m_at(at), m_whileHeld(std::move(whileHeld)) {
        Current() = this;
        m_hook = SetWindowsHookExW(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId());
    }
    ~TReleaseInTrackingLoop() {
        UnhookWindowsHookEx(m_hook);
        Current() = nullptr;
    }
    TReleaseInTrackingLoop(const TReleaseInTrackingLoop&) = delete;
    TReleaseInTrackingLoop& operator=(const TReleaseInTrackingLoop&) = delete;

    bool Released() const { return m_released; }

private:
    static TReleaseInTrackingLoop*& Current() {
        static TReleaseInTrackingLoop* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
        TReleaseInTrackingLoop* self = Current();
        if (code == MSGF_SCROLLBAR && self && !self->m_released) {
            self->m_released = true;
            if (self->m_whileHeld)
                self->m_whileHeld();
            platform::headless::ReleaseButton(self->m_at.x, self->m_at.y);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    POINT m_at;
    std::function<void()> m_whileHeld;
    HHOOK m_hook = nullptr;
    bool m_released = false;
};

} // namespace controlskins

class ControlSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Use();
        Application()->OnException = [this](TObject*, const Exception& error) {
            errors.push_back(error.Message());
        };
        LoadSkin(Bytes(DefaultSkinArchive().begin(), DefaultSkinArchive().end()));
    }
    void TearDown() override {
        forms.clear();
        Application()->ProcessMessages();
        skinForm.reset();
        skinData.reset();
        Application()->OnException = nullptr;
        EXPECT_TRUE(errors.empty()) << errors.front();
    }

    using Bytes = controlskins::Bytes;

    void LoadSkin(const Bytes& archive) {
        forms.clear();
        skinForm.reset();
        skinData = std::make_unique<TSkinData>(nullptr);
        skinData->SkinArchive().WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
        ASSERT_TRUE(skinData->LoadSkinData());
        skinForm = std::make_unique<controlskins::TTestSkinForm>(skinData.get());
    }

    const TSkinElements& Skin() const { return skinData->Elements(); }

    // A shown form owned by the test at (100, 100).
    TForm* NewForm(int width = 320, int height = 240) {
        auto* form = new TForm(nullptr);
        forms.emplace_back(form);
        form->SetBounds(100, 100, width, height);
        form->AfterConstruction();
        form->Show();
        skinForm->window = form->Handle();
        Pump();
        return form;
    }

    template <typename Control>
    Control* Add(TForm* form, int left, int top, int width, int height) {
        auto* control = new Control(form);
        control->SetParent(form);
        control->SetBounds(left, top, width, height);
        return control;
    }

    // A skin object of the class attached to the control as the form's mapping attaches it.
    template <typename Skin>
    Skin* SkinOf(TWinControl* control, bool recolor = false) {
        auto* skin = new Skin(control);
        skin->InitSkin(skinForm.get(), skinData.get(), recolor, skinForm->ControlCanvas());
        Pump();
        return skin;
    }

    void Pump() {
        Application()->ProcessMessages();
        platform::headless::RunUntilIdle();
        Application()->ProcessMessages();
    }

    // A pixel of the control's window (window coordinates), as drawn.
    static COLORREF Pixel(TWinControl* control, int x, int y) {
        return platform::headless::ReadPixel(control->Handle(), x, y);
    }
    static COLORREF Pixel(HWND window, int x, int y) { return platform::headless::ReadPixel(window, x, y); }

    // A picture made by `draw` into a bitmap of the size, read pixel by pixel.
    template <typename Draw>
    static std::unique_ptr<TBitmap> Picture(int width, int height, Draw draw) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(width, height);
        draw(bitmap->Canvas()->Handle());
        return bitmap;
    }
    static COLORREF PictureAt(TBitmap& bitmap, int x, int y) {
        return GetPixel(bitmap.Canvas()->Handle(), x, y);
    }

    // Frame `frame` of an element drawn nine-sliced over a rectangle of the size on `background`.
    std::unique_ptr<TBitmap> ElementFrame(const TDataSkinObject& element, int frame, int frames, int width,
                                          int height, TColor background) const {
        return Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, background);
            TSkinFrameStyle style;
            style.margins = {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
            style.tileCentre = element.Tile == 1;
            style.transparent = element.Trans != 0;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *element.Image, frame, frames, false, style);
        });
    }

    COLORREF Background() const { return ColorToRGB(Skin().Colours[3]); }

    std::unique_ptr<TSkinData> skinData;
    std::unique_ptr<controlskins::TTestSkinForm> skinForm;
    std::vector<std::unique_ptr<TCustomForm>> forms;
    std::vector<std::string> errors;
};
