#include "framework/event_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using framework::DispatchEvent;
using framework::FindEvent;
using framework::TEventRow;

// Stands for a dialog class: records which handler ran.
struct FakeBase {
    virtual ~FakeBase() = default;
    std::vector<std::string> calls;
    void Ok() { calls.push_back("base ok"); }
    void Cancel() { calls.push_back("base cancel"); }
    static const TEventRow<FakeBase> kEvents[2];
    virtual bool Dispatch(uint32_t id, uint32_t code) {
        return DispatchEvent(*this, kEvents, id, code);
    }
};
const TEventRow<FakeBase> FakeBase::kEvents[2] = {{1, 0, &FakeBase::Ok}, {2, 0, &FakeBase::Cancel}};

struct FakeDerived : FakeBase {
    void OwnOk() { calls.push_back("derived ok"); }
    void Changed() { calls.push_back("changed"); }
    void Selected() { calls.push_back("selected"); }
    void Up() { calls.push_back("up"); }
    void Down() { calls.push_back("down"); }
    static const TEventRow<FakeDerived> kEvents[6];
    bool Dispatch(uint32_t id, uint32_t code) override {
        return DispatchEvent(*this, kEvents, id, code) || FakeBase::Dispatch(id, code);
    }
};
const TEventRow<FakeDerived> FakeDerived::kEvents[6] = {
    {1, 0, &FakeDerived::OwnOk},      {114, 0x300, &FakeDerived::Changed},
    {101, 1, &FakeDerived::Selected}, {115, 0, &FakeDerived::Up},
    {115, 1, &FakeDerived::Down},     {114, 0x300, &FakeDerived::Selected},
};

struct DispatchCase {
    uint32_t id;
    uint32_t code;
    bool handled;
    const char* call;  // null when nothing runs
};

class DerivedDispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(DerivedDispatch, RunsTheRowForIdAndCode) {
    const DispatchCase& c = GetParam();
    FakeDerived dialog;
    EXPECT_EQ(dialog.Dispatch(c.id, c.code), c.handled);
    if (c.call) {
        EXPECT_EQ(dialog.calls, std::vector<std::string>{c.call});
    } else {
        EXPECT_TRUE(dialog.calls.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DerivedDispatch,
    testing::Values(
        // The derived table is searched before the base's.
        DispatchCase{1, 0, true, "derived ok"},
        // Rows the derived table lacks fall through to the base.
        DispatchCase{2, 0, true, "base cancel"},
        // The first matching row wins.
        DispatchCase{114, 0x300, true, "changed"}, DispatchCase{101, 1, true, "selected"},
        // Scroll codes tell the two arrows apart.
        DispatchCase{115, 0, true, "up"}, DispatchCase{115, 1, true, "down"},
        // Both the ID and the code must match.
        DispatchCase{115, 5, false, nullptr}, DispatchCase{101, 0, false, nullptr},
        DispatchCase{2, 1, false, nullptr}, DispatchCase{0x300, 114, false, nullptr},
        DispatchCase{999, 0, false, nullptr}));

TEST(FindEvent, FindsTheFirstRowOrNone) {
    EXPECT_EQ(FindEvent(FakeDerived::kEvents, 114, 0x300), &FakeDerived::kEvents[1]);
    EXPECT_EQ(FindEvent(FakeDerived::kEvents, 115, 1), &FakeDerived::kEvents[4]);
    EXPECT_EQ(FindEvent(FakeDerived::kEvents, 114, 0), nullptr);
    EXPECT_EQ(FindEvent(FakeBase::kEvents, 1, 0), &FakeBase::kEvents[0]);
}

}  // namespace
