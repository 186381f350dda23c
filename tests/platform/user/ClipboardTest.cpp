// The clipboard calls over the display's clipboard, and the global memory blocks they trade in.

#include "WindowTestSupport.h"

#include "platform/sys/GlobalMemory.h"

#include <cstring>

using namespace testing_support;
namespace headless = platform::headless;

namespace {

using ClipboardTest = WindowTest;

HGLOBAL BlockWith(const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

} // namespace

TEST(GlobalMemoryTest, Blocks_LockCountAndRefuseForeignHandles) {
    const std::size_t live = platform::LiveGlobalBlockCount();
    HGLOBAL moveable = GlobalAlloc(GHND, 10);
    ASSERT_NE(moveable, nullptr);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(moveable));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[9], 0) << "GMEM_ZEROINIT";
    EXPECT_EQ(GlobalSize(moveable), 10u);
    EXPECT_EQ(GlobalHandle(bytes), moveable);
    EXPECT_EQ(GlobalLock(moveable), bytes);
    EXPECT_TRUE(GlobalUnlock(moveable)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), NO_ERROR);
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);

    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
    EXPECT_EQ(GlobalLock(fixed), fixed) << "a fixed block is its own memory";
    EXPECT_EQ(GlobalFree(fixed), nullptr);
    EXPECT_EQ(GlobalFree(fixed), fixed) << "freed twice";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GlobalFree(moveable), nullptr);
    EXPECT_EQ(platform::LiveGlobalBlockCount(), live);
}

TEST_F(ClipboardTest, Calls_NeedTheClipboardOpenAndOneOpenerAtATime) {
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_FALSE(CloseClipboard());
    HWND window = CreateTopLevel();
    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_EQ(GetOpenClipboardWindow(), window);
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "no delayed rendering";
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST_F(ClipboardTest, Text_GoesToTheDisplayAndComesBackInEveryTextFormat) {
    const std::size_t live = platform::LiveGlobalBlockCount();
    const char gbk[] = "中文\r\nline";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = BlockWith(gbk, sizeof gbk);
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    CloseClipboard();
    EXPECT_EQ(headless::Screen().ClipboardText(), std::u16string(u"中文\nline"))
        << "the desktop's line feeds";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));

    headless::Screen().SetClipboardText(u"另一个\n程序");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(wide))), u"另一个\r\n程序");
    GlobalUnlock(wide);
    HANDLE narrow = GetClipboardData(CF_TEXT);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(narrow))), "另一个\r\n程序");
    GlobalUnlock(narrow);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(platform::LiveGlobalBlockCount(), live) << "the clipboard frees what it held and made";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "emptying takes another program's text away too";
    EXPECT_FALSE(headless::Screen().ClipboardText());
}
