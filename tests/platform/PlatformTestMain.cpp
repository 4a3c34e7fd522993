// The real ports must not reach the user's settings, display or sound card:
// the environment is set here, as the test discovery passes on only one
// variable of a list.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("HOME", TOVRA_TEST_HOME, 1);
    setenv("XDG_CONFIG_HOME", TOVRA_TEST_HOME "/.config", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
