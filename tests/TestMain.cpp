// The main of every test program. Tests never touch the user's display: a program started by
// hand behaves as under ctest, so a window test cannot end the process half-way and leave its
// private X server running.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QUILLMERE_DISPLAY", "headless", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
