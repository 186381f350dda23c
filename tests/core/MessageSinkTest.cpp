#include "core/MessageSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MessageSink, DefaultWritesUtf8LinesToStderr) {
    testing::internal::CaptureStderr();
    ShowMessage("This is Older Skin File\rPlease update to new version !");
    ShowMessage("\xCB\xA2\xD0\xC2\r\nok");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "This is Older Skin File\nPlease update to new version !\n\xE5\x88\xB7\xE6\x96\xB0\nok\n");
}

TEST(MessageSink, AReplacementReceivesTheTextUntilTheDefaultIsRestored) {
    std::vector<std::string> shown;
    TMessageSink previous = SetMessageSink([&shown](const std::string& text) { shown.push_back(text); });
    ShowMessage("line one\rline two");
    EXPECT_EQ(shown, std::vector<std::string>{"line one\rline two"});

    // Handing back what was replaced restores it; an empty sink restores the default.
    SetMessageSink(std::move(previous));
    testing::internal::CaptureStderr();
    ShowMessage("back");
    SetMessageSink([&shown](const std::string& text) { shown.push_back(text); });
    SetMessageSink(nullptr);
    ShowMessage("default");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "back\ndefault\n");
    EXPECT_EQ(shown.size(), 1u);
}

} // namespace
