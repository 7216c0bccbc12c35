// Shared main of the end-to-end driver programs. A crash or file-error pop-up
// would wait for a click that never comes under Xvfb: turn them off.
#include <gtest/gtest.h>

#include "tests/no_popups_win.h"

int main(int argc, char** argv) {
    TurnOffPopups();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
