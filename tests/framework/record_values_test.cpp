#include "editor/record_values.h"

#include <gtest/gtest.h>

namespace {

using namespace editor;

struct ValueCase {
    const char* text;
    int32_t value;
};

class BoxValueOf : public testing::TestWithParam<ValueCase> {};

TEST_P(BoxValueOf, ReadsLikeAtoiOverNineCharacters) {
    EXPECT_EQ(BoxValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BoxValueOf,
    testing::Values(ValueCase{"30", 30}, ValueCase{"", 0}, ValueCase{"abc", 0}, ValueCase{"-3", -3},
                    ValueCase{"+7", 7}, ValueCase{"  12", 12}, ValueCase{"\t5x", 5},
                    ValueCase{"12ab34", 12}, ValueCase{"- 4", 0}, ValueCase{"--4", 0},
                    // Only the first nine characters count.
                    ValueCase{"1234567890", 123456789}, ValueCase{"000000001999", 1},
                    ValueCase{"        7", 7}, ValueCase{"         7", 0},
                    ValueCase{"-99999999", -99999999}));

struct ClampCase {
    int32_t value;
    int32_t low;
    int32_t high;
    uint16_t stored;
    bool rewrite;
};

class ClampOf : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampOf, KeepsInRangeAndRewritesOutside) {
    const ClampCase& c = GetParam();
    const SClamped clamped = Clamp(c.value, c.low, c.high);
    EXPECT_EQ(clamped.value, c.stored);
    EXPECT_EQ(clamped.rewrite, c.rewrite);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ClampOf,
                         testing::Values(ClampCase{0, kDelayMin, kDelayMax, 0, false},
                                         ClampCase{300, kDelayMin, kDelayMax, 300, false},
                                         ClampCase{301, kDelayMin, kDelayMax, 300, true},
                                         ClampCase{1000, kDelayMin, kDelayMax, 300, true},
                                         ClampCase{-3, kDelayMin, kDelayMax, 0, true},
                                         ClampCase{600, kDelayMin, kDelayMax, 300, true},
                                         ClampCase{1, kDomMin, kDomMax, 1, false},
                                         ClampCase{31, kDomMin, kDomMax, 31, false},
                                         ClampCase{0, kDomMin, kDomMax, 1, true},
                                         ClampCase{32, kDomMin, kDomMax, 31, true},
                                         ClampCase{-999999999, kDomMin, kDomMax, 1, true}));

struct StepCase {
    uint16_t (*step)(uint16_t);
    uint16_t from;
    uint16_t to;
};

class Steps : public testing::TestWithParam<StepCase> {};

TEST_P(Steps, MoveFromTheCurrentValueWithinRange) {
    EXPECT_EQ(GetParam().step(GetParam().from), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, Steps,
    testing::Values(StepCase{DelayStepDown, 0, 0}, StepCase{DelayStepDown, 7, 2},
                    StepCase{DelayStepDown, 2, 0}, StepCase{DelayStepDown, 5, 0},
                    StepCase{DelayStepDown, 300, 295}, StepCase{DelayStepUp, 7, 12},
                    StepCase{DelayStepUp, 295, 300}, StepCase{DelayStepUp, 296, 300},
                    StepCase{DelayStepUp, 298, 300}, StepCase{DelayStepUp, 300, 300},
                    StepCase{DelayStepUp, 0, 5}, StepCase{DomStepUp, 31, 31},
                    StepCase{DomStepUp, 30, 31}, StepCase{DomStepUp, 1, 2},
                    StepCase{DomStepDown, 1, 1}, StepCase{DomStepDown, 2, 1},
                    StepCase{DomStepDown, 31, 30}));

}  // namespace
