#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::SessionInstance;

constexpr char kTestName[] = "Local\\Trellisbourne.Test.SingleInstance";

TEST(SessionInstance, FirstHolderOnlyUntilItIsGone) {
    auto first = std::make_unique<SessionInstance>(kTestName);
    EXPECT_TRUE(first->First());
    {
        SessionInstance second(kTestName);
        EXPECT_FALSE(second.First()) << "a second holder of the name";
    }
    EXPECT_FALSE(SessionInstance(kTestName).First()) << "the first still holds it";
    first.reset();
    EXPECT_TRUE(SessionInstance(kTestName).First()) << "free again once the holder is gone";
}

TEST(SessionInstance, LauncherAndEditorHoldNamesOfTheirOwn) {
    SessionInstance launcher(platform::kLauncherInstanceName);
    SessionInstance editor(platform::kEditorInstanceName);
    EXPECT_TRUE(launcher.First());
    EXPECT_TRUE(editor.First());
}

}  // namespace
