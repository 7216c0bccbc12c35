// The configuration editor as a user meets it: Trellisbourne.exe started
// without arguments in a fresh Wine prefix, driven from this process through
// its windows, and judged by what it leaves in C:\windows\trellisbourne.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/editor_window.h"

namespace {

using e2e::AppRecord;
using e2e::MakeRecord;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kIdleTimeoutMs = 5000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr DWORD kBoxTimeoutMs = 10000;
constexpr DWORD kFileDialogTimeoutMs = 30000;

// Three records whose every field differs, rules off in the first and on in
// the second, so that a value shown or saved from the wrong place shows up.
const std::vector<AppRecord>& Sample() {
    static const std::vector<AppRecord> records = {
        MakeRecord("C:\\Program Files\\Mail\\mail.exe", 1, 10, false, 5, false, 20, false, 1),
        MakeRecord("C:\\Tools\\backup.bat", 2, 45, true, 3, true, 15, true, 2),
        MakeRecord("D:\\Games\\Chess Club\\chess.exe", 3, 120, true, 0, false, 31, true, 1),
    };
    return records;
}

const int kRecordControls[] = {IDC_REMOVE,          IDC_NORMAL,     IDC_MINIMIZED,
                               IDC_MAXIMIZED,       IDC_DELAY,      IDC_DELAY_SCROLL,
                               IDC_WORKWEEK_ENABLE, IDC_DOW_ENABLE, IDC_DOM_ENABLE};
const int kRadioAndCheckBoxes[] = {IDC_WEEKENDS,   IDC_WORKDAYS,   IDC_WORKWEEK_ENABLE,
                                   IDC_DOW_ENABLE, IDC_DOM_ENABLE, IDC_NORMAL,
                                   IDC_MINIMIZED,  IDC_MAXIMIZED};

class EditorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::FileExists(e2e::TrellisbournePath()))
            << "TRELLIS_EXE: " << e2e::TrellisbournePath();
        ASSERT_TRUE(e2e::RemoveConfig());
    }

    void TearDown() override { e2e::TerminateProcessesNamed("Trellisbourne.exe"); }

    // Writes `config`, starts the editor and waits for its first idle pass.
    void Open(const std::string& config) {
        ASSERT_TRUE(e2e::WriteConfig(config));
        written_ = config;
        Start();
        ASSERT_TRUE(editor_.Attach(process_.Id(), kStartTimeoutMs))
            << "the editor's frame did not appear";
        ASSERT_TRUE(WaitDisabled(IDC_APPLY)) << "the first idle pass did not come";
    }
    void Open(const std::vector<AppRecord>& records) { Open(e2e::ConfigText(records)); }

    void Start() {
        process_ = e2e::StartProcess(e2e::TrellisbournePath(), "");
        ASSERT_TRUE(process_.Valid()) << "cannot start " << e2e::TrellisbournePath();
    }

    bool WaitEnabled(int id) const {
        return e2e::WaitFor([&] { return editor_.Enabled(id); }, kIdleTimeoutMs);
    }
    bool WaitDisabled(int id) const {
        return e2e::WaitFor([&] { return editor_.Disabled(id); }, kIdleTimeoutMs);
    }

    // Presses Apply as a user can once it is enabled; the file is written
    // when the call returns.
    void Apply() {
        ASSERT_TRUE(WaitEnabled(IDC_APPLY)) << "Apply never became enabled";
        ASSERT_TRUE(editor_.Click(IDC_APPLY));
        ASSERT_TRUE(WaitDisabled(IDC_APPLY)) << "Apply stayed enabled after saving";
    }

    // Types a delay of 77 for the third sample record and applies it: the file
    // then holds the sample with that one change.
    void ApplyADelayEdit() {
        ASSERT_TRUE(editor_.Select(2));
        ASSERT_TRUE(editor_.Type(IDC_DELAY, "77"));
        Apply();
        std::vector<AppRecord> expected = Sample();
        expected[2].delay = 77;
        EXPECT_EQ(Saved(), expected);
    }

    static std::string FileText() { return e2e::ReadFileText(e2e::ConfigPath()); }
    static std::vector<AppRecord> Saved() { return e2e::ParseConfigRecords(FileText()); }

    bool Ends() const { return process_.WaitExit(kExitTimeoutMs); }

    e2e::Process process_;
    e2e::EditorWindow editor_;
    std::string written_;
};

// Initial state

TEST_F(EditorTest, StartsWithTheFileListedAndNothingSelected) {
    Open(Sample());
    std::vector<std::string> paths;
    for (const AppRecord& r : Sample()) paths.push_back(r.path);
    EXPECT_EQ(editor_.ListTexts(), paths);
    EXPECT_EQ(editor_.ListSelection(), -1);
    EXPECT_EQ(editor_.Text(IDC_DELAY), "30");
    EXPECT_EQ(editor_.Text(IDC_DOM), "1");
    EXPECT_EQ(editor_.DaySelection(), -1);
    const char* const days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};
    for (int day = 0; day < 7; ++day) EXPECT_EQ(editor_.DayText(day), days[day]);
    for (int id : kRadioAndCheckBoxes) EXPECT_FALSE(editor_.Checked(id)) << id;

    // The first idle pass turns everything about a record off at once.
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
            for (int id : kRecordControls)
                if (!editor_.Disabled(id)) return false;
            for (int id : {IDC_WEEKENDS, IDC_WORKDAYS, IDC_DAYS, IDC_DOM, IDC_DOM_SCROLL})
                if (!editor_.Disabled(id)) return false;
            return true;
        },
        kIdleTimeoutMs));
    EXPECT_TRUE(editor_.Disabled(IDC_APPLY));
    for (int id : {IDC_APPLIST, IDC_OK, IDC_CANCEL, IDC_ADD})
        EXPECT_TRUE(editor_.Enabled(id)) << id;
    EXPECT_TRUE(process_.Running());
}

TEST_F(EditorTest, WithoutAFileListsNothingAndOkWritesTheBannerOnly) {
    ASSERT_TRUE(e2e::RemoveConfig());
    Start();
    ASSERT_TRUE(editor_.Attach(process_.Id(), kStartTimeoutMs));
    EXPECT_EQ(editor_.ListCount(), 0);
    ASSERT_TRUE(WaitDisabled(IDC_APPLY));
    ASSERT_TRUE(editor_.PostClick(IDC_OK));
    ASSERT_TRUE(Ends());
    const std::string text = FileText();
    EXPECT_EQ(text.size(), 6u * 44u + 2u);
    EXPECT_EQ(e2e::ConfigSections(text), "");
}

// Showing a record

struct ShownCase {
    int index;
    int showButton;      // the one initial-state button checked
    int workWeekButton;  // the one of Weekends/Workdays checked
    const char* delay;
    const char* dom;
};

std::ostream& operator<<(std::ostream& os, const ShownCase& c) {
    return os << "record " << c.index;
}

class EditorShows : public EditorTest, public testing::WithParamInterface<ShownCase> {};

TEST_P(EditorShows, TheSelectedRecordAndEnablesApply) {
    const ShownCase& c = GetParam();
    const AppRecord& r = Sample()[static_cast<std::size_t>(c.index)];
    Open(Sample());
    ASSERT_TRUE(editor_.Select(c.index));
    for (int id : {IDC_NORMAL, IDC_MINIMIZED, IDC_MAXIMIZED})
        EXPECT_EQ(editor_.Checked(id), id == c.showButton) << id;
    EXPECT_EQ(editor_.Text(IDC_DELAY), c.delay);
    EXPECT_EQ(editor_.Checked(IDC_WORKWEEK_ENABLE), r.workWeekEnable);
    for (int id : {IDC_WEEKENDS, IDC_WORKDAYS})
        EXPECT_EQ(editor_.Checked(id), id == c.workWeekButton) << id;
    EXPECT_EQ(editor_.Checked(IDC_DOW_ENABLE), r.dowEnable);
    EXPECT_EQ(editor_.DaySelection(), r.dow);
    EXPECT_EQ(editor_.Checked(IDC_DOM_ENABLE), r.domEnable);
    EXPECT_EQ(editor_.Text(IDC_DOM), c.dom);

    EXPECT_TRUE(WaitEnabled(IDC_APPLY)) << "showing a record counts as a change";
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
            for (int id : kRecordControls)
                if (!editor_.Enabled(id)) return false;
            return editor_.Enabled(IDC_WEEKENDS) == r.workWeekEnable &&
                   editor_.Enabled(IDC_WORKDAYS) == r.workWeekEnable &&
                   editor_.Enabled(IDC_DAYS) == r.dowEnable &&
                   editor_.Enabled(IDC_DOM) == r.domEnable &&
                   editor_.Enabled(IDC_DOM_SCROLL) == r.domEnable;
        },
        kIdleTimeoutMs))
        << "record controls follow the selected record's rules";
}

INSTANTIATE_TEST_SUITE_P(Records, EditorShows,
                         testing::Values(ShownCase{0, IDC_NORMAL, IDC_WEEKENDS, "10", "20"},
                                         ShownCase{1, IDC_MINIMIZED, IDC_WORKDAYS, "45", "15"},
                                         ShownCase{2, IDC_MAXIMIZED, IDC_WEEKENDS, "120", "31"}));

// Out-of-range values read from the file come into range only once shown;
// records never selected are written back exactly as read.
TEST_F(EditorTest, OutOfRangeValuesChangeOnlyInTheSelectedRecord) {
    const std::vector<AppRecord> records = {
        MakeRecord("C:\\a\\first.exe", 1, 600, false, 2, false, 0, false, 2),
        MakeRecord("C:\\a\\second.exe", 2, 600, false, 2, false, 0, false, 2),
        MakeRecord("C:\\a\\third.exe", 7, 999, true, 9, true, 40, true, 5),
    };
    Open(records);
    ASSERT_TRUE(editor_.Select(1));
    EXPECT_EQ(editor_.Text(IDC_DELAY), "300");
    EXPECT_EQ(editor_.Text(IDC_DOM), "1");
    Apply();
    std::vector<AppRecord> expected = records;
    expected[1].delay = 300;
    expected[1].dom = 1;
    EXPECT_EQ(Saved(), expected);
}

// Number boxes: what a typed text leaves in the box and in the saved file.

struct BoxCase {
    const char* name;
    int box;
    const char* typed;
    const char* shown;
    std::uint16_t stored;
};

std::ostream& operator<<(std::ostream& os, const BoxCase& c) {
    return os << c.name;
}

class EditorBoxes : public EditorTest, public testing::WithParamInterface<BoxCase> {};

// Record 1 starts with Delay 45 and DOM 15, which no case stores.
TEST_P(EditorBoxes, ClampTheTypedValue) {
    const BoxCase& c = GetParam();
    Open(Sample());
    ASSERT_TRUE(editor_.Select(1));
    ASSERT_TRUE(editor_.Type(c.box, c.typed));
    EXPECT_EQ(editor_.Text(c.box), c.shown);
    Apply();
    AppRecord expected = Sample()[1];
    (c.box == IDC_DELAY ? expected.delay : expected.dom) = c.stored;
    const std::vector<AppRecord> saved = Saved();
    ASSERT_EQ(saved.size(), Sample().size());
    EXPECT_EQ(saved[1], expected);
    EXPECT_EQ(editor_.Text(c.box), c.shown) << "saving leaves the box as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorBoxes,
    testing::Values(BoxCase{"DelayInRange", IDC_DELAY, "120", "120", 120},
                    BoxCase{"DelayJustAbove", IDC_DELAY, "301", "300", 300},
                    BoxCase{"DelayFarAbove", IDC_DELAY, "1000", "300", 300},
                    BoxCase{"DelayNegative", IDC_DELAY, "-3", "0", 0},
                    BoxCase{"DelayLetters", IDC_DELAY, "abc", "abc", 0},
                    BoxCase{"DelayEmpty", IDC_DELAY, "", "", 0},
                    BoxCase{"DelayFirstNineCharacters", IDC_DELAY, "0000000301", "0000000301", 30},
                    BoxCase{"DomInRange", IDC_DOM, "9", "9", 9},
                    BoxCase{"DomZero", IDC_DOM, "0", "1", 1},
                    BoxCase{"DomAbove", IDC_DOM, "32", "31", 31},
                    BoxCase{"DomCleared", IDC_DOM, "", "1", 1}),
    [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

// Arrows

struct ArrowCase {
    const char* name;
    int bar;
    int box;
    const char* start;
    std::vector<std::pair<int, const char*>> steps;  // scroll code, text shown after it
};

std::ostream& operator<<(std::ostream& os, const ArrowCase& c) {
    return os << c.name;
}

class EditorArrows : public EditorTest, public testing::WithParamInterface<ArrowCase> {};

TEST_P(EditorArrows, StepFromTheCurrentValueWithinBounds) {
    const ArrowCase& c = GetParam();
    Open(Sample());
    ASSERT_TRUE(editor_.Select(1));  // its day-of-month rule is on: both arrows are usable
    ASSERT_TRUE(editor_.Type(c.box, c.start));
    Apply();
    for (const auto& step : c.steps) {
        ASSERT_TRUE(editor_.Scroll(c.bar, step.first));
        EXPECT_EQ(editor_.Text(c.box), step.second);
    }
    Apply();
    const std::vector<AppRecord> saved = Saved();
    ASSERT_EQ(saved.size(), Sample().size());
    const int last = std::stoi(c.steps.back().second);
    EXPECT_EQ(c.box == IDC_DELAY ? saved[1].delay : saved[1].dom, last);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, EditorArrows,
    testing::Values(
        ArrowCase{"DelayDownAtZero", IDC_DELAY_SCROLL, IDC_DELAY, "0", {{SB_LINEDOWN, "0"}}},
        ArrowCase{"DelayUpNearTop", IDC_DELAY_SCROLL, IDC_DELAY, "298", {{SB_LINEUP, "300"}}},
        ArrowCase{"DelayUpAtTop", IDC_DELAY_SCROLL, IDC_DELAY, "300", {{SB_LINEUP, "300"}}},
        ArrowCase{"DelayDownFromSeven",
                  IDC_DELAY_SCROLL,
                  IDC_DELAY,
                  "7",
                  {{SB_LINEDOWN, "2"}, {SB_LINEDOWN, "0"}}},
        ArrowCase{"DelayUpFromSeven", IDC_DELAY_SCROLL, IDC_DELAY, "7", {{SB_LINEUP, "12"}}},
        ArrowCase{"DomUpAtTop", IDC_DOM_SCROLL, IDC_DOM, "31", {{SB_LINEUP, "31"}}},
        ArrowCase{"DomDownAtBottom", IDC_DOM_SCROLL, IDC_DOM, "1", {{SB_LINEDOWN, "1"}}},
        ArrowCase{"DomBothWays",
                  IDC_DOM_SCROLL,
                  IDC_DOM,
                  "30",
                  {{SB_LINEUP, "31"}, {SB_LINEDOWN, "30"}, {SB_LINEDOWN, "29"}}}),
    [](const testing::TestParamInfo<ArrowCase>& info) { return std::string(info.param.name); });

// Rule check boxes

struct RuleCase {
    const char* name;
    int checkBox;
    std::vector<int> ruled;  // enabled exactly while the box is checked
    bool AppRecord::*flag;
};

std::ostream& operator<<(std::ostream& os, const RuleCase& c) {
    return os << c.name;
}

class EditorRules : public EditorTest, public testing::WithParamInterface<RuleCase> {};

// Record 0 has every rule off but holds values of its own (WorkWeek 1, DOW 5,
// DOM 20) that checking and unchecking must leave alone.
TEST_P(EditorRules, CheckBoxEnablesItsControlsAtIdleAndKeepsTheValue) {
    const RuleCase& c = GetParam();
    Open(Sample());
    ASSERT_TRUE(editor_.Select(0));
    auto ruledAre = [&](bool enabled) {
        return e2e::WaitFor(
            [&] {
                for (int id : c.ruled)
                    if (enabled ? !editor_.Enabled(id) : !editor_.Disabled(id)) return false;
                return true;
            },
            kIdleTimeoutMs);
    };
    ASSERT_TRUE(ruledAre(false));

    ASSERT_TRUE(editor_.Click(c.checkBox));
    EXPECT_TRUE(editor_.Checked(c.checkBox));
    EXPECT_TRUE(ruledAre(true)) << "checking enables the rule's controls";
    Apply();
    AppRecord expected = Sample()[0];
    expected.*c.flag = true;
    ASSERT_EQ(Saved().size(), Sample().size());
    EXPECT_EQ(Saved()[0], expected);

    ASSERT_TRUE(editor_.Click(c.checkBox));
    EXPECT_FALSE(editor_.Checked(c.checkBox));
    EXPECT_TRUE(ruledAre(false)) << "unchecking disables them again";
    Apply();
    EXPECT_EQ(Saved()[0], Sample()[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EditorRules,
    testing::Values(
        RuleCase{"WorkWeek",
                 IDC_WORKWEEK_ENABLE,
                 {IDC_WEEKENDS, IDC_WORKDAYS},
                 &AppRecord::workWeekEnable},
        RuleCase{"DayOfWeek", IDC_DOW_ENABLE, {IDC_DAYS}, &AppRecord::dowEnable},
        // 109 is the day-of-month scroll bar and also an etched frame: both follow.
        RuleCase{"DayOfMonth", IDC_DOM_ENABLE, {IDC_DOM, IDC_DOM_SCROLL}, &AppRecord::domEnable}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

// Buttons that write the selected record, each saved and read back.
TEST_F(EditorTest, ButtonsAndDayListWriteTheSelectedRecord) {
    Open(Sample());
    ASSERT_TRUE(editor_.Select(2));
    struct Step {
        const char* what;
        std::function<bool()> act;
        std::function<void(AppRecord&)> change;
    };
    const Step steps[] = {
        {"Minimized", [&] { return editor_.Click(IDC_MINIMIZED); },
         [](AppRecord& r) { r.nCmdShow = 2; }},
        {"Normal", [&] { return editor_.Click(IDC_NORMAL); }, [](AppRecord& r) { r.nCmdShow = 1; }},
        {"Workdays", [&] { return editor_.Click(IDC_WORKDAYS); },
         [](AppRecord& r) { r.workWeek = 2; }},
        {"Weekends", [&] { return editor_.Click(IDC_WEEKENDS); },
         [](AppRecord& r) { r.workWeek = 1; }},
        {"Saturday", [&] { return editor_.SelectDay(6); }, [](AppRecord& r) { r.dow = 6; }},
        {"Maximized", [&] { return editor_.Click(IDC_MAXIMIZED); },
         [](AppRecord& r) { r.nCmdShow = 3; }},
    };
    AppRecord expected = Sample()[2];
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_TRUE(step.act());
        step.change(expected);
        Apply();
        const std::vector<AppRecord> saved = Saved();
        ASSERT_EQ(saved.size(), Sample().size());
        EXPECT_EQ(saved[2], expected);
    }
    EXPECT_FALSE(editor_.Checked(IDC_MINIMIZED));
    EXPECT_FALSE(editor_.Checked(IDC_WORKDAYS));
}

// Adding and removing

TEST_F(EditorTest, AddAnAppAppendsTheChosenFileWithDefaults) {
    Open(Sample());
    ASSERT_TRUE(editor_.Select(1));
    Apply();
    // The file-open dialog accepts only a file that exists.
    const std::string chosen = "C:\\Program Files\\Calendar\\calendar.exe";
    ASSERT_TRUE(e2e::WriteFileText(chosen, ""));
    ASSERT_TRUE(editor_.PostClick(IDC_ADD));
    ASSERT_TRUE(e2e::AnswerAddDialog(process_.Id(), chosen, kFileDialogTimeoutMs))
        << "the file-open dialog did not come, or did not take the name";

    ASSERT_TRUE(e2e::WaitFor([&] { return editor_.ListCount() == 4; }, kIdleTimeoutMs));
    ASSERT_TRUE(editor_.Settle());
    std::vector<std::string> paths;
    for (const AppRecord& r : Sample()) paths.push_back(r.path);
    paths.push_back(chosen);
    EXPECT_EQ(editor_.ListTexts(), paths);
    EXPECT_EQ(editor_.ListSelection(), 1) << "adding leaves the selection alone";
    EXPECT_EQ(editor_.Text(IDC_DELAY), "45") << "the new record is not shown until selected";
    Apply();
    std::vector<AppRecord> expected = Sample();
    expected.push_back(MakeRecord(chosen, 1, 0, false, 1, false, 1, false, 2));
    EXPECT_EQ(Saved(), expected);

    ASSERT_TRUE(editor_.Select(3));
    EXPECT_TRUE(editor_.Checked(IDC_NORMAL));
    EXPECT_EQ(editor_.Text(IDC_DELAY), "0");
    EXPECT_FALSE(editor_.Checked(IDC_WORKWEEK_ENABLE));
    EXPECT_TRUE(editor_.Checked(IDC_WORKDAYS));
    EXPECT_EQ(editor_.DaySelection(), 1);
    EXPECT_EQ(editor_.Text(IDC_DOM), "1");
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            return editor_.Disabled(IDC_WORKDAYS) && editor_.Disabled(IDC_DAYS) &&
                   editor_.Disabled(IDC_DOM) && editor_.Enabled(IDC_DELAY);
        },
        kIdleTimeoutMs));
}

TEST_F(EditorTest, CancelledAddChangesNothing) {
    Open(Sample());
    ASSERT_TRUE(editor_.PostClick(IDC_ADD));
    ASSERT_TRUE(e2e::AnswerAddDialog(process_.Id(), "", kFileDialogTimeoutMs));
    ASSERT_TRUE(editor_.Settle());
    EXPECT_EQ(editor_.ListCount(), 3);
    EXPECT_TRUE(editor_.Disabled(IDC_APPLY));
    ASSERT_TRUE(editor_.PostClick(IDC_OK));
    ASSERT_TRUE(Ends());
    EXPECT_EQ(Saved(), Sample());
}

TEST_F(EditorTest, RemoveDropsTheSelectedRecordAndKeepsTheOrder) {
    Open(Sample());
    ASSERT_TRUE(editor_.Select(1));
    Apply();
    ASSERT_TRUE(editor_.Click(IDC_REMOVE));
    EXPECT_EQ(editor_.ListTexts(), (std::vector<std::string>{Sample()[0].path, Sample()[2].path}));
    EXPECT_EQ(editor_.ListSelection(), -1);
    EXPECT_TRUE(WaitEnabled(IDC_APPLY));
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            for (int id : kRecordControls)
                if (!editor_.Disabled(id)) return false;
            return true;
        },
        kIdleTimeoutMs))
        << "with nothing selected the record controls are off";
    Apply();
    EXPECT_EQ(Saved(), (std::vector<AppRecord>{Sample()[0], Sample()[2]}));
}

// Saving and ending

TEST_F(EditorTest, ApplySavesAndKeepsTheEditorOpen) {
    Open(Sample());
    ASSERT_NO_FATAL_FAILURE(ApplyADelayEdit());
    EXPECT_TRUE(process_.Running());

    // A later change waits for the next Apply or OK; Cancel drops it.
    ASSERT_TRUE(editor_.Type(IDC_DELAY, "88"));
    EXPECT_TRUE(WaitEnabled(IDC_APPLY));
    const std::string applied = FileText();
    ASSERT_TRUE(editor_.PostClick(IDC_CANCEL));
    ASSERT_TRUE(Ends());
    EXPECT_EQ(FileText(), applied);
}

enum class Ending { Saves, WritesNothing };

struct EndCase {
    const char* name;
    std::function<bool(const e2e::EditorWindow&)> act;
    Ending ending;
};

std::ostream& operator<<(std::ostream& os, const EndCase& c) {
    return os << c.name;
}

class EditorEnds : public EditorTest, public testing::WithParamInterface<EndCase> {};

// Every way out ends the whole process; only OK and Enter write the file.
TEST_P(EditorEnds, AfterAnEdit) {
    const EndCase& c = GetParam();
    Open(Sample());
    ASSERT_TRUE(editor_.Select(2));
    ASSERT_TRUE(editor_.Type(IDC_DELAY, "77"));
    ASSERT_TRUE(WaitEnabled(IDC_APPLY));
    ASSERT_TRUE(c.act(editor_));
    ASSERT_TRUE(Ends()) << "the editor is still running";
    EXPECT_EQ(process_.ExitCode(), 0u);
    if (c.ending == Ending::Saves) {
        std::vector<AppRecord> expected = Sample();
        expected[2].delay = 77;
        EXPECT_EQ(Saved(), expected);
    } else {
        EXPECT_EQ(FileText(), written_) << "the file must stay byte for byte as it was";
    }
}

const EndCase kEndCases[] = {
    {"OkButton", [](const e2e::EditorWindow& e) { return e.PostClick(IDC_OK); }, Ending::Saves},
    {"EnterCommand", [](const e2e::EditorWindow& e) { return e.PostCommand(IDOK); }, Ending::Saves},
    {"EnterInDelayBox", [](const e2e::EditorWindow& e) { return e.PostKey(IDC_DELAY, VK_RETURN); },
     Ending::Saves},
    {"EnterInList", [](const e2e::EditorWindow& e) { return e.PostKey(IDC_APPLIST, VK_RETURN); },
     Ending::Saves},
    {"CancelButton", [](const e2e::EditorWindow& e) { return e.PostClick(IDC_CANCEL); },
     Ending::WritesNothing},
    {"EscapeCommand", [](const e2e::EditorWindow& e) { return e.PostCommand(IDCANCEL); },
     Ending::WritesNothing},
    {"EscapeInDelayBox", [](const e2e::EditorWindow& e) { return e.PostKey(IDC_DELAY, VK_ESCAPE); },
     Ending::WritesNothing},
    {"FrameClose",
     [](const e2e::EditorWindow& e) { return PostMessageA(e.Frame(), WM_CLOSE, 0, 0) != FALSE; },
     Ending::WritesNothing},
    {"FrameSystemMenuClose",
     [](const e2e::EditorWindow& e) {
         return PostMessageA(e.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
     },
     Ending::WritesNothing},
};

INSTANTIATE_TEST_SUITE_P(Ways, EditorEnds, testing::ValuesIn(kEndCases),
                         [](const testing::TestParamInfo<EndCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EditorTest, OkSavesEvenWithoutChanges) {
    Open(Sample());
    ASSERT_TRUE(editor_.PostClick(IDC_OK));
    ASSERT_TRUE(Ends());
    const std::string text = FileText();
    EXPECT_NE(text, written_) << "the file was not rewritten (its banner is the program's own)";
    EXPECT_EQ(e2e::ConfigSections(text), e2e::ConfigSections(written_));
}

// A save that cannot replace the file: the temporary file the new content
// goes to first is taken by a directory.
TEST_F(EditorTest, FailedSaveReportsAndKeepsTheEditorAndTheFile) {
    Open(Sample());
    const std::string blocker = e2e::ConfigPath() + "." + std::to_string(process_.Id()) + ".tmp";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr)) << blocker;
    ASSERT_TRUE(editor_.Select(0));
    ASSERT_TRUE(editor_.Type(IDC_DELAY, "99"));
    ASSERT_TRUE(WaitEnabled(IDC_APPLY));

    for (int button : {IDC_APPLY, IDC_OK}) {
        SCOPED_TRACE(button == IDC_APPLY ? "Apply" : "OK");
        ASSERT_TRUE(editor_.PostClick(button));
        HWND box = e2e::WaitForMessageBox("FileError", process_.Id(), kBoxTimeoutMs);
        ASSERT_NE(box, nullptr) << "no FileError message box";
        EXPECT_EQ(e2e::MessageBoxText(box), "Unable to open : " + e2e::ConfigPath());
        EXPECT_EQ(e2e::ConfigPath(), "C:\\windows\\trellisbourne.ini");
        ASSERT_TRUE(e2e::PressMessageBoxOk(box));
        // Still open: the final OK below could not save otherwise.
        EXPECT_TRUE(process_.Running());
        EXPECT_TRUE(IsWindow(editor_.Frame()));
        ASSERT_TRUE(editor_.Settle());
        EXPECT_TRUE(editor_.Enabled(IDC_APPLY)) << "the change still counts as unsaved";
        EXPECT_EQ(FileText(), written_);
    }

    // The edited list is still there: once the way is clear, OK saves it.
    ASSERT_TRUE(RemoveDirectoryA(blocker.c_str()));
    ASSERT_TRUE(editor_.PostClick(IDC_OK));
    ASSERT_TRUE(Ends());
    std::vector<AppRecord> expected = Sample();
    expected[0].delay = 99;
    EXPECT_EQ(Saved(), expected);
}

// The frame

// The pixel size of `cx` x `cy` dialog units in 8-point "MS Sans Serif", from
// a dialog of this process made with that font.
SIZE DialogUnitsToPixels(int cx, int cy) {
    struct alignas(DWORD) Template {
        DLGTEMPLATE head;
        WORD menu, windowClass, title, pointSize;
        wchar_t face[14];
    } t{};
    t.head.style = DS_SETFONT | WS_POPUP;
    t.head.cx = static_cast<short>(cx);
    t.head.cy = static_cast<short>(cy);
    t.pointSize = 8;
    lstrcpyW(t.face, L"MS Sans Serif");
    HWND probe = CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), &t.head, nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    RECT r = {0, 0, cx, cy};
    if (probe) {
        MapDialogRect(probe, &r);
        DestroyWindow(probe);
    }
    return {r.right - r.left, r.bottom - r.top};
}

TEST_F(EditorTest, FrameIsAFixedSizeWindowAroundTheDialogAtTheTopLeft) {
    Open(Sample());
    HWND frame = editor_.Frame();
    EXPECT_EQ(e2e::WindowText(frame), "Trellisbourne");
    EXPECT_EQ(GetParent(editor_.Dialog()), frame);
    EXPECT_EQ(GetWindow(editor_.Dialog(), GW_HWNDNEXT), nullptr)
        << "the dialog is the frame's only child";

    const LONG style = GetWindowLongA(frame, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    RECT window;
    ASSERT_TRUE(GetWindowRect(frame, &window));
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);

    const SIZE expected = DialogUnitsToPixels(278, 126);
    ASSERT_GT(expected.cx, 278);
    RECT client;
    ASSERT_TRUE(GetClientRect(frame, &client));
    EXPECT_EQ(client.right - client.left, expected.cx);
    EXPECT_EQ(client.bottom - client.top, expected.cy);
    RECT dialog;
    ASSERT_TRUE(GetClientRect(editor_.Dialog(), &dialog));
    EXPECT_EQ(dialog.right, expected.cx);
    EXPECT_EQ(dialog.bottom, expected.cy);
}

// Unrecognised lines: one report per line, in line order, all before any
// editor window; then the editor opens with every record the other lines give.
struct ParseCase {
    const char* name;
    std::vector<std::pair<std::size_t, const char*>> badLines;  // inserted before section N
};

std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << c.name;
}

class EditorParsing : public EditorTest, public testing::WithParamInterface<ParseCase> {};

TEST_P(EditorParsing, ReportsComeBeforeTheWindow) {
    const ParseCase& c = GetParam();
    // Sections of the sample with the bad lines put in, counting line numbers.
    const std::string clean = e2e::ConfigText(Sample());
    const std::string banner = clean.substr(0, clean.size() - e2e::ConfigSections(clean).size());
    std::string text = banner;
    std::vector<std::string> reports;
    for (std::size_t i = 0; i <= Sample().size(); ++i) {
        for (const auto& bad : c.badLines) {
            if (bad.first != i) continue;
            const long line = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
            text += std::string(bad.second) + "\r\n";
            reports.push_back("\nSyntax Error at line " + std::to_string(line) + "\n");
        }
        if (i < Sample().size()) text += e2e::ConfigSections(e2e::ConfigText({Sample()[i]}));
    }
    ASSERT_TRUE(e2e::WriteConfig(text));
    Start();
    for (const std::string& report : reports) {
        HWND box = e2e::WaitForMessageBox("ParsingError", process_.Id(), kStartTimeoutMs);
        ASSERT_NE(box, nullptr) << "no ParsingError box for " << report;
        EXPECT_EQ(e2e::MessageBoxText(box), report);
        EXPECT_EQ(e2e::FindAnyEditorFrame(process_.Id()), nullptr)
            << "an editor window came before the report";
        ASSERT_TRUE(e2e::PressMessageBoxOk(box));
    }
    ASSERT_TRUE(editor_.Attach(process_.Id(), kStartTimeoutMs));
    std::vector<std::string> paths;
    for (const AppRecord& r : Sample()) paths.push_back(r.path);
    EXPECT_EQ(editor_.ListTexts(), paths);
    EXPECT_EQ(e2e::FindMessageBox("ParsingError", process_.Id()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EditorParsing,
    testing::Values(ParseCase{"OneBetweenSections", {{1, "Dealy=5"}}},
                    ParseCase{"TwoInOrder", {{0, "  nCmdShow=2"}, {2, "Delay =4"}}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

// One editor per session: a second one brings the first forward and ends, so
// that no two editors save over each other.

// A window of this driver that takes the foreground, so that a window brought
// forward shows as the foreground window afterwards.
class ForegroundTaker {
public:
    ForegroundTaker()
        : window_(CreateWindowExA(0, "STATIC", "foreground taker", WS_POPUP | WS_VISIBLE, 300, 300,
                                  200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~ForegroundTaker() {
        if (window_) DestroyWindow(window_);
    }
    ForegroundTaker(const ForegroundTaker&) = delete;
    ForegroundTaker& operator=(const ForegroundTaker&) = delete;

    bool Take() const {
        return window_ && e2e::WaitFor(
                              [&] {
                                  Pump();
                                  SetForegroundWindow(window_);
                                  return GetForegroundWindow() == window_;
                              },
                              kIdleTimeoutMs);
    }
    // Lets this thread follow the activation changes other processes make.
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

private:
    HWND window_;
};

bool WaitForeground(HWND window) {
    return e2e::WaitFor(
        [&] {
            ForegroundTaker::Pump();
            return GetForegroundWindow() == window;
        },
        kIdleTimeoutMs);
}

std::size_t EditorFrameCount() {
    e2e::WindowQuery query;
    query.className = e2e::kEditorFrameClass;
    return e2e::FindTopLevelWindows(query).size();
}

HWND WaitForAddDialog(DWORD processId) {
    e2e::WindowQuery query;
    query.className = "#32770";
    query.title = e2e::kAddDialogTitle;
    query.processId = processId;
    query.visibleOnly = true;
    return e2e::WaitForTopLevelWindow(query, kFileDialogTimeoutMs);
}

class SecondEditor;

struct SecondCase {
    const char* name;
    // Puts the first editor in the state of the case; the window that must
    // come forward, or nullptr when that state could not be reached.
    std::function<HWND(SecondEditor&)> arrange;
    // The first editor goes on from that state as if nothing had happened.
    std::function<void(SecondEditor&)> goOn;
};

std::ostream& operator<<(std::ostream& os, const SecondCase& c) {
    return os << c.name;
}

class SecondEditor : public EditorTest, public testing::WithParamInterface<SecondCase> {
public:
    HWND Frame() const { return editor_.Frame(); }

    HWND Minimise(HWND target) const {
        ShowWindow(Frame(), SW_MINIMIZE);
        return e2e::WaitFor([&] { return IsIconic(Frame()) != FALSE; }, kIdleTimeoutMs) ? target
                                                                                       : nullptr;
    }

    HWND OpenAddDialog() {
        EXPECT_TRUE(e2e::WriteFileText(kChosen, ""));
        return editor_.PostClick(IDC_ADD) ? WaitForAddDialog(process_.Id()) : nullptr;
    }

    // The dialog still takes its answer, and the frame waits for it until then.
    void AddThroughTheDialog() {
        EXPECT_FALSE(IsWindowEnabled(Frame())) << "the frame no longer waits for its dialog";
        ASSERT_TRUE(e2e::AnswerAddDialog(process_.Id(), kChosen, kFileDialogTimeoutMs));
        EXPECT_TRUE(e2e::WaitFor([&] { return editor_.ListCount() == 4; }, kIdleTimeoutMs));
        EXPECT_TRUE(e2e::WaitFor([&] { return IsWindowEnabled(Frame()) != FALSE; }, kIdleTimeoutMs));
    }

    HWND FailASave() {
        blocker_ = e2e::ConfigPath() + "." + std::to_string(process_.Id()) + ".tmp";
        if (!CreateDirectoryA(blocker_.c_str(), nullptr)) return nullptr;
        if (!editor_.Select(0) || !editor_.Type(IDC_DELAY, "99") || !WaitEnabled(IDC_APPLY))
            return nullptr;
        if (!editor_.PostClick(IDC_APPLY)) return nullptr;
        return e2e::WaitForMessageBox("FileError", process_.Id(), kBoxTimeoutMs);
    }

    // The report is still there to answer; then the edit can still be saved.
    void AnswerTheReportAndSave() {
        HWND box = e2e::FindMessageBox("FileError", process_.Id());
        ASSERT_NE(box, nullptr) << "the report is gone";
        EXPECT_EQ(e2e::MessageBoxText(box), "Unable to open : " + e2e::ConfigPath());
        ASSERT_TRUE(e2e::PressMessageBoxOk(box));
        ASSERT_TRUE(editor_.Settle());
        EXPECT_TRUE(editor_.Enabled(IDC_APPLY)) << "the change still counts as unsaved";
        ASSERT_TRUE(RemoveDirectoryA(blocker_.c_str()));
        Apply();
        std::vector<AppRecord> expected = Sample();
        expected[0].delay = 99;
        EXPECT_EQ(Saved(), expected);
    }

    // Still the only editor, and it still saves.
    using EditorTest::ApplyADelayEdit;

    static constexpr const char* kChosen = "C:\\Program Files\\Calendar\\calendar.exe";

protected:
    void TearDown() override {
        if (!blocker_.empty()) RemoveDirectoryA(blocker_.c_str());
        EditorTest::TearDown();
    }

    std::string blocker_;
};

TEST_P(SecondEditor, BringsTheFirstForwardAndEnds) {
    const SecondCase& c = GetParam();
    Open(Sample());
    const HWND target = c.arrange(*this);
    ASSERT_NE(target, nullptr) << "the first editor did not reach the state of the case";
    ForegroundTaker taker;
    ASSERT_TRUE(taker.Take()) << "this driver could not take the foreground";

    e2e::Process second = e2e::StartProcess(e2e::TrellisbournePath(), "");
    ASSERT_TRUE(second.Valid());
    ASSERT_TRUE(second.WaitExit(kStartTimeoutMs)) << "the second editor is still running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(EditorFrameCount(), 1u);
    EXPECT_FALSE(IsIconic(Frame())) << "the frame was left minimised";
    EXPECT_TRUE(WaitForeground(target)) << "foreground: \"" << e2e::WindowText(GetForegroundWindow())
                                        << "\", wanted \"" << e2e::WindowText(target) << "\"";
    EXPECT_TRUE(process_.Running());
    c.goOn(*this);
}

const SecondCase kSecondCases[] = {
    {"Idle", [](SecondEditor& t) { return t.Frame(); }, [](SecondEditor& t) { t.ApplyADelayEdit(); }},
    {"Minimised", [](SecondEditor& t) { return t.Minimise(t.Frame()); },
     [](SecondEditor& t) { t.ApplyADelayEdit(); }},
    {"FileDialogOpen", [](SecondEditor& t) { return t.OpenAddDialog(); },
     [](SecondEditor& t) { t.AddThroughTheDialog(); }},
    {"FileDialogOpenAndMinimised",
     [](SecondEditor& t) {
         HWND dialog = t.OpenAddDialog();
         return dialog ? t.Minimise(dialog) : nullptr;
     },
     [](SecondEditor& t) { t.AddThroughTheDialog(); }},
    {"SaveFailureReported", [](SecondEditor& t) { return t.FailASave(); },
     [](SecondEditor& t) { t.AnswerTheReportAndSave(); }},
};

INSTANTIATE_TEST_SUITE_P(FirstEditor, SecondEditor, testing::ValuesIn(kSecondCases),
                         [](const testing::TestParamInfo<SecondCase>& info) {
                             return std::string(info.param.name);
                         });

// Before its frame exists the first editor may be reporting on the file: the
// second one ends without touching that report.
TEST_F(EditorTest, SecondEditorDuringAParsingReportEndsAndLeavesTheReport) {
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText(Sample()) + "Dealy=5\r\n"));
    Start();
    HWND box = e2e::WaitForMessageBox("ParsingError", process_.Id(), kStartTimeoutMs);
    ASSERT_NE(box, nullptr);

    e2e::Process second = e2e::StartProcess(e2e::TrellisbournePath(), "");
    ASSERT_TRUE(second.Valid());
    ASSERT_TRUE(second.WaitExit(kStartTimeoutMs)) << "the second editor is still running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(EditorFrameCount(), 0u);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_TRUE(IsWindowEnabled(box));

    ASSERT_TRUE(e2e::PressMessageBoxOk(box));
    ASSERT_TRUE(editor_.Attach(process_.Id(), kStartTimeoutMs));
    EXPECT_EQ(editor_.ListCount(), static_cast<int>(Sample().size()));
    EXPECT_EQ(EditorFrameCount(), 1u);
}

}  // namespace
