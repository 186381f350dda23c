#include "tests/skin/forms/SkinEngineFixture.h"

#include "core/MessageSink.h"
#include "framework/classes/TypInfo.h"
#include "framework/comctrls/ImageList.h"
#include "framework/forms/HintWindow.h"
#include "framework/forms/Timer.h"
#include "framework/graphics/Font.h"
#include "skin/data/SkinWrite.h"
#include "tests/platform/process/TestFolder.h"

#include <fstream>

using namespace skinengine;

namespace {

// A skin archive whose version this reader does not know.
Bytes UnknownVersionArchive() {
    std::vector<std::uint8_t> image = BuildSkinImage(20000, {{"skin.ini", {'[', 'a', ']'}}});
    image[0] = 0x11; // version 20000 (0x4E20) becomes 0x4E11
    return PackSkinImage(image);
}

class SkinDataTest : public SkinEngineTest {};

TEST_F(SkinDataTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    TSkinData data(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* property : data.ClassType().Properties()) {
        if (!TComponent::ClassInfo().FindProperty(property->Name))
            names.push_back(property->Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Active", "DisableTag", "SkinControls", "Options", "Skin3rd",
                                               "SkinFile", "SkinStore", "SkinFormtype", "Version",
                                               "MenuUpdate", "MenuMerge", "OnFormSkin", "OnSkinChanged",
                                               "OnSkinControl", "OnBeforeSkinForm", "OnAfterSkinForm"}));
    EXPECT_EQ(GetEnumProp(&data, "Active"), "False");
    EXPECT_EQ(GetOrdProp(&data, "DisableTag"), 99);
    EXPECT_EQ(GetOrdProp(&data, "SkinControls"), 0x1FFFFB);
    EXPECT_EQ(GetOrdProp(&data, "Options"), 1096);
    EXPECT_EQ(GetSetProp(&data, "Options"), "[xoPreview,xoToolbarBK,xoCaptionButtonHint]");
    EXPECT_EQ(GetEnumProp(&data, "SkinFormtype"), "sfMainform");
    EXPECT_EQ(GetStrProp(&data, "Version"), "5.40.07.15");
    EXPECT_EQ(GetEnumProp(&data, "MenuUpdate"), "True");
    EXPECT_EQ(GetEnumProp(&data, "MenuMerge"), "False");
    EXPECT_EQ(data.NoSkin(), 1);
    EXPECT_EQ(data.FrameFlag(), 1);

    ASSERT_EQ(data.Skin3rd().Count(), 118);
    EXPECT_EQ(data.Skin3rd()[0], "TCategoryButtons=scrollbar");
    EXPECT_EQ(data.Skin3rd()[117], "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(data.Skin3rd()[48], data.Skin3rd()[49]) << "TDBCheckboxEh is listed twice";

    EXPECT_TRUE(SetStrProp(&data, "Version", "9"));
    EXPECT_EQ(data.Version(), "5.40.07.15") << "the version cannot be written";
    EXPECT_TRUE(SetPropValue(&data, "SkinFormtype", "sfDialog"));
    EXPECT_EQ(data.SkinFormtype(), sfDialog);
}

TEST_F(SkinDataTest, EnumerationsKeepTheirOrdinals) {
    EXPECT_EQ(SkinFormTypeIdents().NameOf(sfDLL), "sfDLL");
    EXPECT_EQ(SkinOptionIdents().NameOf(xoFormScrollbar), "xoFormScrollbar");
    EXPECT_EQ(static_cast<int>(xoCaptionButtonHint), 10);
    EXPECT_EQ(SkinControlTypeIdents().NameOf(xcFastReport), "xcFastReport");
    EXPECT_EQ(static_cast<int>(xcSystemMenu), 20);
    EXPECT_FALSE(DefaultSkinControls.Contains(xcMenuItem));
    EXPECT_FALSE(DefaultSkinControls.Contains(xcFastReport));
    EXPECT_TRUE(DefaultSkinControls.Contains(xcSystemMenu));
}

TEST_F(SkinDataTest, TheStoredStreamRoundTripsAndBuildsTheSkinWhenRead) {
    TSkinData* first = NewSkinData({sfDialog, false});
    EXPECT_EQ(first->NoSkin(), 0);
    EXPECT_EQ(first->SkinArchive().Size(), static_cast<std::int64_t>(DefaultSkinBytes().size()));
    EXPECT_FALSE(first->Elements().BorderTop->Image->Empty());

    TMemoryStream written;
    first->WriteSkinStream(written);
    EXPECT_EQ(written.Size(), first->SkinArchive().Size() + 4);
    TMemoryStream expected = StoredStream(DefaultSkinBytes());
    ASSERT_EQ(written.Size(), expected.Size());
    EXPECT_TRUE(std::equal(written.Memory(), written.Memory() + written.Size(), expected.Memory()));

    TSkinData second(nullptr);
    written.SetPosition(0);
    second.ReadSkinStream(written);
    EXPECT_EQ(second.NoSkin(), 0);
    EXPECT_EQ(second.Elements().SkinName, first->Elements().SkinName);

    TSkinData empty(nullptr);
    TMemoryStream none;
    empty.WriteSkinStream(none);
    EXPECT_EQ(none.Size(), 4) << "a length of 0 stores nothing else";
}

TEST_F(SkinDataTest, AStoredLengthBeyondTheStreamIsRefusedBeforeAnythingIsRead) {
    TSkinData data(nullptr);
    TMemoryStream stored = StoredStream(DefaultSkinBytes());
    stored.SetSize(stored.Size() - 1);
    stored.SetPosition(0);
    EXPECT_THROW(data.ReadSkinStream(stored), Exception);
    EXPECT_EQ(data.SkinArchive().Size(), 0);
    EXPECT_EQ(data.NoSkin(), 1);
}

TEST_F(SkinDataTest, AnEmptyStoredSkinEndsLoadingInactiveWithNoRequest) {
    TSkinData* data = NewSkinData({sfMainform, true, {}});
    EXPECT_FALSE(data->Active());
    EXPECT_EQ(data->NoSkin(), 1);
    EXPECT_EQ(Manager().PendingAction(), saNone);
    EXPECT_EQ(Manager().Active(), 0);
    EXPECT_FALSE(Manager().Timer().Enabled());
}

TEST_F(SkinDataTest, LoadedAdjustsTheControlKindsByTheMainMenuKind) {
    TSkinData* withMenu = NewSkinData({sfMainform, false});
    EXPECT_FALSE(withMenu->SkinControls().Contains(xcMenuItem));
    EXPECT_TRUE(withMenu->SkinControls().Contains(xcSystemMenu));

    auto* withoutMenu = new TSkinData(nullptr);
    skinData.emplace_back(withoutMenu);
    withoutMenu->BeginLoading();
    withoutMenu->SetSkinControls(TSkinControlTypes{xcMenuItem, xcSystemMenu, xcButton, xcScrollbar});
    withoutMenu->Loaded();
    EXPECT_EQ(withoutMenu->SkinControls(), (TSkinControlTypes{xcMenuItem, xcButton, xcScrollbar}))
        << "without xcMainMenu the system menu goes; the scroll bars stay, GetScrollBarInfo exists";
}

TEST_F(SkinDataTest, SettingActiveToItsValueRequestsNothing) {
    TSkinData* data = NewSkinData({sfMainform, true});
    Manager().RequestAction(saPurge, 250);
    ASSERT_EQ(Manager().PendingAction(), saPurge);
    data->SetActive(true);
    EXPECT_EQ(Manager().PendingAction(), saPurge);
    data->SetActive(false);
    EXPECT_EQ(Manager().PendingAction(), saUnskin);
    EXPECT_EQ(Manager().RequestingSkinData(), data);
}

TEST_F(SkinDataTest, WhileReadingActiveIsOnlyStored) {
    auto* data = new TSkinData(nullptr);
    skinData.emplace_back(data);
    data->BeginLoading();
    data->SetActive(true);
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(SkinManager(), nullptr) << "nothing is asked of a manager before Loaded";
}

TEST_F(SkinDataTest, SkinStoreReadsNoneEvenWithASkinLoaded) {
    TSkinData* data = NewSkinData({sfDialog, false});
    ASSERT_EQ(data->NoSkin(), 0);
    EXPECT_EQ(data->SkinStore(), "(none)");
    data->SetSkinStore("x");
    EXPECT_EQ(GetStrProp(data, "SkinStore"), "(none)");
}

TEST_F(SkinDataTest, AnArchiveOfUnknownVersionTellsTheUserAndLeavesNoSkin) {
    std::vector<std::string> shown;
    TMessageSink previous = SetMessageSink([&shown](const std::string& text) { shown.push_back(text); });
    TSkinData* data = NewSkinData({sfMainform, true, UnknownVersionArchive()});
    SetMessageSink(previous);
    EXPECT_EQ(shown.size(), 1u) << "the older-skin box";
    EXPECT_EQ(data->NoSkin(), 1);
    EXPECT_FALSE(data->Active()) << "Loaded switches it off";
    EXPECT_FALSE(data->LoadSkinData());
}

TEST_F(SkinDataTest, AFailedLoadKeepsThePreviousElements) {
    TSkinData* data = NewSkinData({sfDialog, false});
    const std::string name = data->Elements().SkinName;
    const int captionHeight = data->Elements().BorderTop->Image->Height();
    data->SkinArchive().Clear();
    data->SkinArchive().WriteBuffer("not a skin", 10);
    EXPECT_FALSE(data->LoadSkinData());
    EXPECT_EQ(data->NoSkin(), 1);
    EXPECT_EQ(data->Elements().SkinName, name);
    EXPECT_EQ(data->Elements().BorderTop->Image->Height(), captionHeight);
}

TEST_F(SkinDataTest, ASkinFileLoadsAndAsksForTheSkinChangeOnceStarted) {
    TSkinData* data = NewSkinData({sfMainform, true});
    Manager().SetRunState(rsStarted);
    const std::string defaultName = data->Elements().SkinName;
    data->SetSkinFile(SkinFilePath("dark"));
    EXPECT_EQ(data->NoSkin(), 0);
    EXPECT_NE(data->Elements().SkinName, defaultName) << "the dark skin's elements";
    EXPECT_EQ(Manager().PendingAction(), saSkinChanged);
    EXPECT_EQ(Manager().RequestingSkinData(), data);
    EXPECT_TRUE(Manager().Timer().Enabled());
    EXPECT_EQ(Manager().Timer().Interval(), 250);
}

TEST_F(SkinDataTest, AMissingSkinFileLoadsNothingAndKeepsTheElements) {
    TSkinData* data = NewSkinData({sfMainform, true});
    const std::string name = data->Elements().SkinName;
    data->SetSkinFile("/nonexistent/skin.skn");
    EXPECT_EQ(data->SkinFile(), "/nonexistent/skin.skn");
    EXPECT_EQ(data->NoSkin(), 1);
    EXPECT_EQ(data->Elements().SkinName, name);
    EXPECT_EQ(Manager().PendingAction(), saSkin) << "no skin change was asked";
}

TEST_F(SkinDataTest, WithoutAHandlerMonthCalendarsAndReportFormsAreRefused) {
    TSkinData* data = NewSkinData({sfDialog, false});
    auto ask = [data](const std::string& className) {
        bool decision = true;
        data->AskSkinForm(reinterpret_cast<HWND>(0x1234), className, decision);
        return decision;
    };
    EXPECT_FALSE(ask("SysMonthCal32"));
    EXPECT_TRUE(ask("TfrPreviewForm")) << "xcFastReport is not in the default kinds";
    data->SetSkinControls(data->SkinControls() + TSkinControlTypes{xcFastReport});
    EXPECT_FALSE(ask("TfrPreviewForm"));
    EXPECT_TRUE(ask("TForm1"));
    EXPECT_EQ(data->QueryWindow(), reinterpret_cast<HWND>(0x1234));

    std::string asked;
    data->OnFormSkin = [&asked](TObject*, const std::string& name, bool& doSkin) {
        asked = name;
        doSkin = true;
    };
    EXPECT_TRUE(ask("SysMonthCal32")) << "a handler's answer stands";
    EXPECT_EQ(asked, "SysMonthCal32");
}

TEST_F(SkinDataTest, TheCaptionFontAndMenuGlyphsComeFromTheSystem) {
    TSkinData* data = NewSkinData({sfDialog, false});
    EXPECT_TRUE(data->CaptionFont().Style().Contains(fsBold)) << "the classic caption font is bold";
    EXPECT_EQ(data->MenuGlyphs().Count(), 4);
    EXPECT_EQ(data->MenuGlyphs().Width(), 16);
    EXPECT_GT(data->MaximizedWidth(), 0);
}

TEST_F(SkinDataTest, TheCaptionHintShowsOnceUntilHidden) {
    TSkinData* data = NewSkinData({sfDialog, false});
    data->ShowCaptionHint(Rect(200, 150, 220, 170), "Close");
    ASSERT_TRUE(data->HintShown());
    RECT shown{};
    ASSERT_TRUE(GetWindowRect(data->HintWindow().Handle(), &shown));
    EXPECT_EQ(shown.left, 200);
    EXPECT_EQ(shown.top, 150);
    EXPECT_TRUE(IsWindowVisible(data->HintWindow().Handle()));
    data->ShowCaptionHint(Rect(10, 10, 20, 20), "Close");
    GetWindowRect(data->HintWindow().Handle(), &shown);
    EXPECT_EQ(shown.left, 200) << "a shown hint is not moved";
    data->HideCaptionHint();
    EXPECT_FALSE(data->HintShown());
    EXPECT_FALSE(data->HintWindow().HandleAllocated() && IsWindowVisible(data->HintWindow().Handle()));

    data->SetOptions(data->Options() - TSkinOptions{xoCaptionButtonHint});
    data->ShowCaptionHint(Rect(200, 150, 220, 170), "Close");
    EXPECT_FALSE(data->HintShown()) << "hints need xoCaptionButtonHint";
}

} // namespace
