#include "framework/enable_rules.h"

#include <gtest/gtest.h>

namespace {

using framework::EnableStateFor;
using framework::TEnableRule;
using framework::TEnableState;

// Stands for a dialog class, which is polymorphic like every window class.
struct FakeDialog {
    virtual ~FakeDialog() = default;
    bool modified = false;
    bool selected = false;
    bool Modified() const { return modified; }
    bool Selected() const { return selected; }
    static const TEnableRule<FakeDialog> kRules[4];
};
// Several IDs may share a predicate; one ID is one rule, whatever number of children carry it.
const TEnableRule<FakeDialog> FakeDialog::kRules[4] = {
    {111, &FakeDialog::Modified},
    {120, &FakeDialog::Selected},
    {109, &FakeDialog::Selected},
    {114, &FakeDialog::Selected},
};

struct RuleCase {
    bool modified;
    bool selected;
    uint32_t id;
    TEnableState expected;
};

class EnableRules : public testing::TestWithParam<RuleCase> {};

TEST_P(EnableRules, FollowThePredicateOfTheId) {
    const RuleCase& c = GetParam();
    FakeDialog dialog;
    dialog.modified = c.modified;
    dialog.selected = c.selected;
    EXPECT_EQ(EnableStateFor(dialog, FakeDialog::kRules, c.id), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EnableRules,
    testing::Values(RuleCase{true, false, 111, TEnableState::Enabled},
                    RuleCase{false, true, 111, TEnableState::Disabled},
                    RuleCase{false, true, 120, TEnableState::Enabled},
                    RuleCase{true, false, 120, TEnableState::Disabled},
                    RuleCase{false, true, 109, TEnableState::Enabled},
                    RuleCase{false, false, 109, TEnableState::Disabled},
                    // Children without a rule are never touched, whatever the state.
                    RuleCase{true, true, 101, TEnableState::NoRule},
                    RuleCase{false, false, 65535, TEnableState::NoRule},
                    RuleCase{true, true, 0, TEnableState::NoRule}));

}  // namespace
