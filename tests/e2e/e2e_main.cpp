// Shared main of the end-to-end driver programs. A crash or file-error pop-up
// would wait for a click that never comes under Xvfb: turn them off.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
