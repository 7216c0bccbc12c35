// Shared main of every unit-test executable. Under Wine an error dialog or a
// message box would wait for a click that never comes: crash and file-error
// pop-ups are turned off, and message boxes go to a sink that tests read.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "tests/no_popups_win.h"

#endif

#include "tests/message_log.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    TurnOffPopups();
#endif
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new MessageLogEnvironment);
    return RUN_ALL_TESTS();
}
