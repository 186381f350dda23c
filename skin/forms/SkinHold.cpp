#include "skin/forms/SkinHold.h"

#include "skin/forms/SkinManage.h"

namespace {

int g_depth = 0;
bool g_freePending = false;

void FreeIfUnused() {
    g_freePending = false;
    if (TSkinManage* manager = SkinManager(); manager && manager->SkinDataList().empty())
        FreeSkinManager();
}

} // namespace

TSkinHold::TSkinHold() {
    ++g_depth;
}

TSkinHold::~TSkinHold() {
    if (--g_depth == 0 && g_freePending)
        FreeIfUnused();
}

void TSkinHold::FreeManagerWhenIdle() {
    if (g_depth == 0)
        FreeIfUnused();
    else
        g_freePending = true;
}
