#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "config/heap_text.h"
#include "launcher/schedule.h"

namespace {

constexpr SCalendarDay kSunday7{0, 7};
constexpr SCalendarDay kMonday8{1, 8};
constexpr SCalendarDay kWednesday10{3, 10};
constexpr SCalendarDay kFriday31{5, 31};
constexpr SCalendarDay kSaturday13{6, 13};

struct SRules {
    uint8_t workWeekEnable = 0;
    uint16_t workWeek = 0;
    uint8_t dowEnable = 0;
    uint16_t dow = 0;
    uint8_t domEnable = 0;
    uint16_t dom = 0;
};

SRules Weekends() { return {1, 1, 0, 0, 0, 0}; }
SRules Workdays(uint16_t value = 2) { return {1, value, 0, 0, 0, 0}; }
SRules OnDayOfWeek(uint16_t dow) { return {0, 0, 1, dow, 0, 0}; }
SRules OnDayOfMonth(uint16_t dom) { return {0, 0, 0, 0, 1, dom}; }

std::unique_ptr<SAppData> Record(const std::string& path, const SRules& rules, uint16_t delay = 0,
                                 int32_t nCmdShow = 1) {
    auto record = std::make_unique<SAppData>();
    record->path.reset(HeapCopy(path.c_str()));
    record->nCmdShow = nCmdShow;
    record->Delay = delay;
    record->WorkWeekEnable = rules.workWeekEnable;
    record->WorkWeek = rules.workWeek;
    record->DOWEnable = rules.dowEnable;
    record->DOW = rules.dow;
    record->DOMEnable = rules.domEnable;
    record->DOM = rules.dom;
    return record;
}

std::vector<std::string> Paths(const CAppList& list) {
    std::vector<std::string> paths;
    for (uint32_t i = 0; i < list.Count(); ++i) paths.push_back(list.Item(i)->path.get());
    return paths;
}

struct RuleCase {
    const char* name;
    SRules rules;
    SCalendarDay day;
    bool runs;
};

class RunsOnTest : public testing::TestWithParam<RuleCase> {};

TEST_P(RunsOnTest, JoinsEnabledRulesByOr) {
    auto record = Record("app", GetParam().rules);
    EXPECT_EQ(RunsOn(*record, GetParam().day), GetParam().runs);
}

const RuleCase kRuleCases[] = {
    {"NoRuleNeverRuns", {}, kMonday8, false},
    {"NoRuleNeverRunsEvenWithMatchingValues", {0, 2, 0, 1, 0, 8}, kMonday8, false},
    {"WeekendsOnSunday", Weekends(), kSunday7, true},
    {"WeekendsOnSaturday", Weekends(), kSaturday13, true},
    {"WeekendsNotOnMonday", Weekends(), kMonday8, false},
    {"WeekendsNotOnFriday", Weekends(), kFriday31, false},
    {"WorkdaysOnMonday", Workdays(), kMonday8, true},
    {"WorkdaysOnFriday", Workdays(), kFriday31, true},
    {"WorkdaysNotOnSunday", Workdays(), kSunday7, false},
    {"WorkdaysNotOnSaturday", Workdays(), kSaturday13, false},
    {"AnyOtherWorkWeekValueMeansWorkdays", Workdays(0), kWednesday10, true},
    {"AnyOtherWorkWeekValueNotOnSunday", Workdays(7), kSunday7, false},
    {"DayOfWeekMatches", OnDayOfWeek(3), kWednesday10, true},
    {"DayOfWeekDiffers", OnDayOfWeek(4), kWednesday10, false},
    {"SundayIsZero", OnDayOfWeek(0), kSunday7, true},
    {"DayOfMonthMatches", OnDayOfMonth(31), kFriday31, true},
    {"DayOfMonthDiffers", OnDayOfMonth(30), kFriday31, false},
    {"DisabledDayOfWeekIgnored", {0, 0, 0, 3, 0, 0}, kWednesday10, false},
    {"DisabledDayOfMonthIgnored", {0, 0, 0, 0, 0, 10}, kWednesday10, false},
    {"DayOfWeekOverridesExcludingWorkWeek", {1, 2, 1, 0, 0, 0}, kSunday7, true},
    {"DayOfMonthOverridesExcludingWorkWeek", {1, 1, 0, 0, 1, 8}, kMonday8, true},
    {"WorkWeekOverridesOtherDay", {1, 1, 1, 3, 1, 1}, kSaturday13, true},
    {"AllEnabledNoneMatching", {1, 1, 1, 2, 1, 9}, kMonday8, false},
};

INSTANTIATE_TEST_SUITE_P(Rules, RunsOnTest, testing::ValuesIn(kRuleCases),
                         [](const testing::TestParamInfo<RuleCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DailyFilter, KeepsMatchingRecordsInOrderAndVisitsEachOnce) {
    CAppList list;
    list.Append(Record("none", {}));
    list.Append(Record("weekends", Weekends()));
    list.Append(Record("workdays1", Workdays()));
    list.Append(Record("tuesday", OnDayOfWeek(2)));
    list.Append(Record("eighth", OnDayOfMonth(8)));
    list.Append(Record("monday", OnDayOfWeek(1)));
    list.Append(Record("none2", {}));
    list.Append(Record("none3", {}));

    ApplyDailyFilter(list, kMonday8);

    EXPECT_EQ(Paths(list), (std::vector<std::string>{"workdays1", "eighth", "monday"}));
}

TEST(DailyFilter, CanEmptyTheList) {
    CAppList list;
    for (int i = 0; i < 13; ++i) list.Append(Record("weekend" + std::to_string(i), Weekends()));
    ApplyDailyFilter(list, kWednesday10);
    EXPECT_EQ(list.Count(), 0u);
}

TEST(DailyFilter, EmptyListStaysEmpty) {
    CAppList list;
    ApplyDailyFilter(list, kSunday7);
    EXPECT_EQ(list.Count(), 0u);
}

struct SStarted {
    std::string path;
    int32_t nCmdShow;
    bool operator==(const SStarted& o) const { return path == o.path && nCmdShow == o.nCmdShow; }
};

void PrintTo(const SStarted& s, std::ostream* os) { *os << s.path << "/" << s.nCmdShow; }

class CTickRecorder {
public:
    StartApplication Start() {
        return [this](const char* path, int32_t nCmdShow) { started.push_back({path, nCmdShow}); };
    }
    std::vector<SStarted> started;
};

std::string Name(uint16_t delay) { return "app" + std::to_string(delay); }

struct TickCase {
    const char* name;
    uint16_t elapsedBefore;
    std::vector<uint16_t> delays;
    uint16_t elapsedAfter;
    std::vector<uint16_t> started;  // in start order
};

class TickTest : public testing::TestWithParam<TickCase> {};

TEST_P(TickTest, StartsRecordsWhoseDelayIsBelowTheCount) {
    const TickCase& c = GetParam();
    CAppList list;
    for (uint16_t d : c.delays) list.Append(Record(Name(d), Workdays(), d, 1));
    uint16_t elapsed = c.elapsedBefore;
    CTickRecorder recorder;

    bool empty = LauncherTick(list, elapsed, recorder.Start());

    EXPECT_EQ(elapsed, c.elapsedAfter);
    std::vector<SStarted> expected;
    for (uint16_t d : c.started) expected.push_back({Name(d), 1});
    EXPECT_EQ(recorder.started, expected);
    EXPECT_EQ(list.Count(), c.delays.size() - c.started.size());
    EXPECT_EQ(empty, list.Count() == 0);
}

const TickCase kTickCases[] = {
    {"FirstTickStartsZeroAndFour", 0, {0, 4, 5}, 5, {0, 4}},
    {"SecondTickStartsFive", 5, {5, 30}, 10, {5}},
    {"ThirtyAndThirtyOneAt35", 30, {30, 31, 35}, 35, {30, 31}},
    {"DelayEqualToCountWaits", 30, {35}, 35, {}},
    {"DueRecordsStartInListOrder", 0, {3, 9, 1, 0}, 5, {3, 1, 0}},
    {"KeptRecordsBetweenDueOnes", 0, {9, 0, 9, 0, 0, 9}, 5, {0, 0, 0}},
    {"EmptyListStaysEmpty", 0, {}, 5, {}},
    {"CountReachesItsTop", 65530, {65534, 65535}, 65535, {65534}},
    {"CountWrapsAtSixteenBits", 65535, {3, 4, 65535}, 4, {3}},
};

INSTANTIATE_TEST_SUITE_P(Ticks, TickTest, testing::ValuesIn(kTickCases),
                         [](const testing::TestParamInfo<TickCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Tick, EachDelayStartsOnItsTick) {
    // Delay d is due on tick d / 5 + 1, i.e. 5 * (d / 5 + 1) seconds in.
    CAppList list;
    for (uint16_t d = 0; d <= 100; ++d) list.Append(Record(Name(d), Workdays(), d));
    uint16_t elapsed = 0;
    for (int tick = 1; tick <= 21; ++tick) {
        CTickRecorder recorder;
        bool empty = LauncherTick(list, elapsed, recorder.Start());
        std::vector<SStarted> expected;
        for (uint16_t d = 0; d <= 100; ++d)
            if (d / 5 + 1 == tick) expected.push_back({Name(d), 1});
        EXPECT_EQ(recorder.started, expected) << "tick " << tick;
        EXPECT_EQ(empty, tick == 21);
    }
}

TEST(Tick, PassesTheShowCommandOn) {
    CAppList list;
    list.Append(Record("min", Workdays(), 0, 2));
    list.Append(Record("odd", Workdays(), 0, 7));
    uint16_t elapsed = 0;
    CTickRecorder recorder;
    LauncherTick(list, elapsed, recorder.Start());
    EXPECT_EQ(recorder.started, (std::vector<SStarted>{{"min", 2}, {"odd", 7}}));
}

TEST(Tick, LargestDelayIsNeverDue) {
    CAppList list;
    list.Append(Record("forever", Workdays(), 65535));
    list.Append(Record("soon", Workdays(), 0));
    uint16_t elapsed = 0;
    CTickRecorder recorder;
    // Twice round the whole 16-bit count.
    for (int tick = 0; tick < 2 * 65536 / 5 + 2; ++tick)
        EXPECT_FALSE(LauncherTick(list, elapsed, recorder.Start()));
    EXPECT_EQ(recorder.started, (std::vector<SStarted>{{"soon", 1}}));
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_STREQ(list.Item(0)->path.get(), "forever");
}

TEST(Tick, RecordIsOutOfTheListWhenItStarts) {
    CAppList list;
    list.Append(Record("a", Workdays(), 0));
    list.Append(Record("b", Workdays(), 0));
    uint16_t elapsed = 0;
    std::vector<uint32_t> countsAtStart;
    LauncherTick(list, elapsed, [&](const char*, int32_t) { countsAtStart.push_back(list.Count()); });
    EXPECT_EQ(countsAtStart, (std::vector<uint32_t>{1, 0}));
}

}  // namespace
