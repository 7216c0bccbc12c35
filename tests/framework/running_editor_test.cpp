#include "editor/running_editor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using editor::kFrontFrame;
using editor::kFrontNone;
using editor::SWindowFacts;

//                                  visible enabled ownedByFrame ownReport
const SWindowFacts kShownFrame = {true, true, false, false};
const SWindowFacts kWaitingFrame = {true, false, false, false};  // a modal dialog is up
const SWindowFacts kHiddenFrame = {false, true, false, false};
const SWindowFacts kFileDialog = {true, true, true, false};
const SWindowFacts kBlockedFileDialog = {true, false, true, false};  // its own box is up
const SWindowFacts kFileDialogBox = {true, true, true, false};       // owned by the file dialog
const SWindowFacts kHiddenFileDialog = {false, true, true, false};
const SWindowFacts kReport = {true, true, false, true};
const SWindowFacts kHiddenHelper = {false, true, false, false};  // e.g. an input-method window
const SWindowFacts kStrangerPopup = {true, true, false, false};  // neither the frame's nor a report

struct FrontCase {
    const char* name;
    SWindowFacts frame;
    std::vector<SWindowFacts> others;
    int expected;
};

std::ostream& operator<<(std::ostream& os, const FrontCase& c) {
    return os << c.name;
}

class WindowToFront : public testing::TestWithParam<FrontCase> {};

TEST_P(WindowToFront, PicksTheWindowThatWaitsForTheUser) {
    const FrontCase& c = GetParam();
    EXPECT_EQ(editor::WindowToFront(c.frame, c.others), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Editors, WindowToFront,
    testing::Values(
        FrontCase{"IdleFrame", kShownFrame, {}, kFrontFrame},
        FrontCase{"IdleFrameWithHiddenHelpers", kShownFrame, {kHiddenHelper}, kFrontFrame},
        FrontCase{"FrameNotShownYet", kHiddenFrame, {kReport}, kFrontNone},
        FrontCase{"FileDialog", kWaitingFrame, {kHiddenHelper, kFileDialog}, 1},
        FrontCase{"BoxOfTheFileDialog", kWaitingFrame, {kFileDialogBox, kBlockedFileDialog}, 0},
        FrontCase{
            "BlockedDialogIsPassedOver", kWaitingFrame, {kBlockedFileDialog, kFileDialogBox}, 1},
        FrontCase{"ReportDuringASave", kShownFrame, {kReport}, 0},
        FrontCase{"TopmostOfSeveral", kShownFrame, {kStrangerPopup, kReport, kFileDialog}, 1},
        FrontCase{"StrangerIsNotPicked", kShownFrame, {kStrangerPopup}, kFrontFrame},
        // Disabled and nothing to answer shown yet: leave the frame alone.
        FrontCase{"DialogNotShownYet", kWaitingFrame, {kHiddenFileDialog}, kFrontNone},
        FrontCase{"WaitingFrameAlone", kWaitingFrame, {}, kFrontNone}),
    [](const testing::TestParamInfo<FrontCase>& info) { return std::string(info.param.name); });

}  // namespace
