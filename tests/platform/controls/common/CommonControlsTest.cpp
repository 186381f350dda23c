// InitCommonControlsEx: what it accepts, and that the classes it registers are there for every
// module, however often it is called.

#include "../CommonControlTestSupport.h"

using namespace testing_support;

namespace {

class CommonControlsTest : public CommonControlTest {};

TEST_F(CommonControlsTest, RefusesAWrongSizeOrUnknownGroups) {
    EXPECT_FALSE(InitCommonControlsEx(nullptr));
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX) + 4, ICC_BAR_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&init));
    init = INITCOMMONCONTROLSEX{sizeof(INITCOMMONCONTROLSEX), 0x00010000};
    EXPECT_FALSE(InitCommonControlsEx(&init));
}

TEST_F(CommonControlsTest, RegistersEachGroupOnceAsGlobalClasses) {
    const DWORD groups[] = {ICC_BAR_CLASSES,    ICC_TAB_CLASSES,      ICC_UPDOWN_CLASS,
                            ICC_PROGRESS_CLASS, ICC_LISTVIEW_CLASSES, ICC_WIN95_CLASSES};
    for (DWORD group : groups) {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), group};
        EXPECT_TRUE(InitCommonControlsEx(&init));
        EXPECT_TRUE(InitCommonControlsEx(&init)) << "a second call succeeds and changes nothing";
    }
    const char* names[] = {"msctls_statusbar32", "SysTabControl32",   "msctls_updown32",
                           "msctls_progress32",  "msctls_trackbar32", "SysHeader32"};
    for (const char* name : names) {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        HINSTANCE someModule = reinterpret_cast<HINSTANCE>(0x400000);
        EXPECT_TRUE(GetClassInfoExA(someModule, name, &info)) << name;
        EXPECT_NE(info.style & CS_GLOBALCLASS, 0u) << name;
        EXPECT_EQ(info.cbWndExtra, static_cast<int>(sizeof(void*))) << name;
    }
}

} // namespace
