// The configuration dialog in its frame, driven with the messages a user's
// actions produce, against a real configuration file in the Windows directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "config/config_file.h"
#include "editor/config_dialog.h"
#include "framework/frame_window.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "tests/framework/window_test_support.h"
#include "tests/message_log.h"

namespace {

namespace fs = std::filesystem;

std::string Section(const std::string& path, int show, int delay, int dowOn, int dow, int domOn,
                    int dom, int wwOn, int ww) {
    std::ostringstream s;
    s << "\r\n[" << path << "]\r\nnCmdShow=" << show << "\r\nDelay=" << delay
      << "\r\nDOWEnable=" << dowOn << "\r\nDOW=" << dow << "\r\nDOMEnable=" << domOn
      << "\r\nDOM=" << dom << "\r\nWorkWeekEnable=" << wwOn << "\r\nWorkWeek=" << ww << "\r\n";
    return s.str();
}

const std::string kThreeRecords = std::string(kConfigBanner) +
                                  Section("C:\\apps\\zed.exe", 1, 10, 0, 1, 0, 1, 0, 2) +
                                  Section("C:\\apps\\alpha.exe", 3, 600, 1, 4, 1, 0, 1, 1) +
                                  Section("C:\\apps\\mid.bat", 7, 7, 0, 9, 0, 31, 1, 5);

class EditorDialog : public testing::Test {
protected:
    void SetUp() override {
        name_ = ConfigFileName();
        Clear();
        TakeShownMessages();
    }
    void TearDown() override {
        frame_.reset();
        PumpMessages();
        if (AppList) FreeAppList();
        Clear();
    }
    void Clear() {
        std::error_code ec;
        fs::remove_all(name_, ec);
    }
    void WriteFile(const std::string& content) {
        std::ofstream(name_, std::ios::binary) << content;
    }
    std::string FileContent() const {
        std::ifstream in(name_, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    void Open() {
        dialog_ = new CTrellisbourneConfigDlg;
        frame_ = std::make_unique<framework::TFrameWindow>(nullptr, "Trellisbourne", dialog_, true);
        frame_->Attr().style = 0x90CA0000;
        ASSERT_TRUE(frame_->Create());
        PumpMessages();
        Idle();
    }
    void Idle() { frame_->IdleAction(); }
    HWND Dlg() const { return dialog_->GetHandle(); }
    HWND Item(int id) const { return GetDlgItem(Dlg(), id); }

    void Select(int index) {
        SendMessageA(Item(IDC_APPLIST), LB_SETCURSEL, index, 0);
        SendCommand(Dlg(), IDC_APPLIST, LBN_SELCHANGE);
        Idle();
    }
    void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        if (Dlg()) Idle();
    }
    void Type(int id, const char* text) {
        SendMessageA(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        Idle();
    }
    std::string Text(int id) const {
        char text[64];
        GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // For IDC_DOM_SCROLL this is the frame around the day-of-week rule, which comes first.
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool BarEnabled(int id) const { return IsWindowEnabled(ScrollBar(Dlg(), id)) != FALSE; }
    int ListCount() const {
        return static_cast<int>(SendMessageA(Item(IDC_APPLIST), LB_GETCOUNT, 0, 0));
    }
    int ListSelection() const {
        return static_cast<int>(SendMessageA(Item(IDC_APPLIST), LB_GETCURSEL, 0, 0));
    }
    int DaySelection() const {
        return static_cast<int>(SendMessageA(Item(IDC_DAYS), CB_GETCURSEL, 0, 0));
    }
    std::string ListText(int i) const {
        char text[300];
        SendMessageA(Item(IDC_APPLIST), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        return text;
    }
    SAppData& Record(uint32_t i) const { return *AppList->Item(i); }
    // Waits for the frame to follow its ended dialog.
    bool FrameCloses() {
        HWND frame = frame_->GetHandle();
        return PumpUntil([&] { return !IsWindow(frame); });
    }

    std::string name_;
    CTrellisbourneConfigDlg* dialog_ = nullptr;
    std::unique_ptr<framework::TFrameWindow> frame_;
};

const int kRecordControls[] = {IDC_REMOVE,          IDC_NORMAL,     IDC_MINIMIZED,
                               IDC_MAXIMIZED,       IDC_DELAY,      IDC_DELAY_SCROLL,
                               IDC_WORKWEEK_ENABLE, IDC_DOW_ENABLE, IDC_DOM_ENABLE};
const int kRuleControls[] = {IDC_WEEKENDS, IDC_WORKDAYS, IDC_DAYS, IDC_DOM, IDC_DOM_SCROLL};

TEST_F(EditorDialog, ListsTheRecordsInFileOrderWithNothingSelected) {
    WriteFile(kThreeRecords);
    Open();
    ASSERT_EQ(ListCount(), 3);
    EXPECT_EQ(ListText(0), "C:\\apps\\zed.exe");
    EXPECT_EQ(ListText(1), "C:\\apps\\alpha.exe");
    EXPECT_EQ(ListText(2), "C:\\apps\\mid.bat");
    EXPECT_EQ(ListSelection(), -1);
    EXPECT_EQ(Text(IDC_DELAY), "30");
    EXPECT_EQ(Text(IDC_DOM), "1");
    EXPECT_EQ(DaySelection(), -1);
    for (int i = 0; i < 7; ++i) {
        char day[32];
        SendMessageA(Item(IDC_DAYS), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(day));
        EXPECT_STREQ(day, DayNames[i]);
    }
    EXPECT_STREQ(DayNames[0], "Sunday");
    EXPECT_STREQ(DayNames[6], "Saturday");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    for (int id : kRecordControls) EXPECT_FALSE(Enabled(id)) << id;
    for (int id : kRuleControls) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(BarEnabled(IDC_DOM_SCROLL));
    for (int id : {IDC_APPLIST, IDC_OK, IDC_CANCEL, IDC_ADD}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(dialog_->IsModified());
}

TEST_F(EditorDialog, ParsingReportsComeBeforeAnyWindow) {
    WriteFile(std::string(kConfigBanner) + "bogus\r\n" +
              Section("C:\\a.exe", 1, 0, 0, 1, 0, 1, 0, 2));
    dialog_ = new CTrellisbourneConfigDlg;
    EXPECT_EQ(TakeShownMessages(),
              (std::vector<ShownMessage>{{"\nSyntax Error at line 8\n", "ParsingError"}}));
    EXPECT_EQ(dialog_->GetHandle(), nullptr);
    frame_ = std::make_unique<framework::TFrameWindow>(nullptr, "Trellisbourne", dialog_, true);
    ASSERT_TRUE(frame_->Create());
    EXPECT_EQ(ListCount(), 1);
}

TEST_F(EditorDialog, ShowingARecordBringsItsNumbersIntoRange) {
    WriteFile(kThreeRecords);
    Open();
    Select(1);
    EXPECT_TRUE(Checked(IDC_MAXIMIZED));
    EXPECT_FALSE(Checked(IDC_NORMAL));
    EXPECT_EQ(Text(IDC_DELAY), "300");
    EXPECT_EQ(Record(1).Delay, 300);
    EXPECT_TRUE(Checked(IDC_WORKWEEK_ENABLE));
    EXPECT_TRUE(Checked(IDC_WEEKENDS));
    EXPECT_FALSE(Checked(IDC_WORKDAYS));
    EXPECT_TRUE(Checked(IDC_DOW_ENABLE));
    EXPECT_EQ(DaySelection(), 4);
    EXPECT_TRUE(Checked(IDC_DOM_ENABLE));
    EXPECT_EQ(Text(IDC_DOM), "1");
    EXPECT_EQ(Record(1).DOM, 1);
    EXPECT_TRUE(dialog_->IsModified());
    EXPECT_TRUE(Enabled(IDC_APPLY));
    for (int id : kRecordControls) EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kRuleControls) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(BarEnabled(IDC_DOM_SCROLL));

    // Values the buttons do not offer leave them as the last record left them.
    Select(2);
    EXPECT_TRUE(Checked(IDC_MAXIMIZED));
    EXPECT_TRUE(Checked(IDC_WEEKENDS));
    EXPECT_EQ(DaySelection(), -1);
    EXPECT_EQ(Text(IDC_DELAY), "7");
    EXPECT_EQ(Text(IDC_DOM), "31");
    EXPECT_EQ(Record(2).nCmdShow, 7);
    EXPECT_EQ(Record(2).WorkWeek, 5);
    EXPECT_EQ(Record(2).DOW, 9);
    EXPECT_TRUE(Enabled(IDC_WEEKENDS));
    EXPECT_FALSE(Enabled(IDC_DAYS));
    EXPECT_FALSE(Enabled(IDC_DOM));
    EXPECT_FALSE(Enabled(IDC_DOM_SCROLL));
    EXPECT_FALSE(BarEnabled(IDC_DOM_SCROLL));
}

TEST_F(EditorDialog, SelectingTheFirstRecordEnablesApplyAndApplyClearsIt) {
    WriteFile(kThreeRecords);
    Open();
    Select(0);
    EXPECT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_FALSE(dialog_->IsModified());
    // Records never selected are written as read.
    Select(1);
    Click(IDC_APPLY);
    EXPECT_EQ(FileContent(), std::string(kConfigBanner) +
                                 Section("C:\\apps\\zed.exe", 1, 10, 0, 1, 0, 1, 0, 2) +
                                 Section("C:\\apps\\alpha.exe", 3, 300, 1, 4, 1, 1, 1, 1) +
                                 Section("C:\\apps\\mid.bat", 7, 7, 0, 9, 0, 31, 1, 5));
}

struct BoxCase {
    int box;
    const char* typed;
    const char* shown;
    uint16_t stored;
};

class EditorBox : public EditorDialog, public testing::WithParamInterface<BoxCase> {};

TEST_P(EditorBox, ClampsAndStoresTheValue) {
    WriteFile(kThreeRecords);
    Open();
    Select(0);
    Click(IDC_APPLY);
    Type(GetParam().box, GetParam().typed);
    EXPECT_EQ(Text(GetParam().box), GetParam().shown);
    EXPECT_EQ(GetParam().box == IDC_DELAY ? Record(0).Delay : Record(0).DOM, GetParam().stored);
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorBox,
    testing::Values(BoxCase{IDC_DELAY, "301", "300", 300}, BoxCase{IDC_DELAY, "1000", "300", 300},
                    BoxCase{IDC_DELAY, "-3", "0", 0}, BoxCase{IDC_DELAY, "abc", "abc", 0},
                    BoxCase{IDC_DELAY, "", "", 0}, BoxCase{IDC_DELAY, "120", "120", 120},
                    BoxCase{IDC_DELAY, "1234567890", "300", 300},
                    BoxCase{IDC_DELAY, "0000000451", "0000000451", 45},
                    BoxCase{IDC_DELAY, "0000000099", "0000000099", 9},
                    BoxCase{IDC_DOM, "0", "1", 1}, BoxCase{IDC_DOM, "32", "31", 31},
                    BoxCase{IDC_DOM, "", "1", 1}, BoxCase{IDC_DOM, "15", "15", 15},
                    BoxCase{IDC_DOM, "x", "1", 1}));

struct StepCase {
    int bar;
    int box;
    const char* start;
    int scroll;
    const char* shown;
    bool modifies = true;  // only the two arrows do anything
};

class EditorStep : public EditorDialog, public testing::WithParamInterface<StepCase> {};

TEST_P(EditorStep, ArrowsStepFromTheCurrentValue) {
    WriteFile(kThreeRecords);
    Open();
    Select(0);
    Type(GetParam().box, GetParam().start);
    Click(IDC_APPLY);
    SendScroll(Dlg(), GetParam().bar, GetParam().scroll);
    Idle();
    EXPECT_EQ(Text(GetParam().box), GetParam().shown);
    EXPECT_EQ(GetParam().bar == IDC_DELAY_SCROLL ? Record(0).Delay : Record(0).DOM,
              atoi(GetParam().shown));
    EXPECT_EQ(Enabled(IDC_APPLY), GetParam().modifies);
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, EditorStep,
    testing::Values(StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "0", SB_LINEDOWN, "0"},
                    StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "7", SB_LINEDOWN, "2"},
                    StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "2", SB_LINEDOWN, "0"},
                    StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "7", SB_LINEUP, "12"},
                    StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "298", SB_LINEUP, "300"},
                    StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "300", SB_LINEUP, "300"},
                    StepCase{IDC_DELAY_SCROLL, IDC_DELAY, "20", SB_THUMBPOSITION, "20", false},
                    StepCase{IDC_DOM_SCROLL, IDC_DOM, "20", SB_ENDSCROLL, "20", false},
                    StepCase{IDC_DOM_SCROLL, IDC_DOM, "31", SB_LINEUP, "31"},
                    StepCase{IDC_DOM_SCROLL, IDC_DOM, "30", SB_LINEUP, "31"},
                    StepCase{IDC_DOM_SCROLL, IDC_DOM, "1", SB_LINEDOWN, "1"},
                    StepCase{IDC_DOM_SCROLL, IDC_DOM, "12", SB_LINEDOWN, "11"}));

TEST_F(EditorDialog, ButtonsWriteTheSelectedRecordAndRulesFollowAtIdle) {
    WriteFile(kThreeRecords);
    Open();
    Select(0);
    Click(IDC_MINIMIZED);
    EXPECT_EQ(Record(0).nCmdShow, 2);
    Click(IDC_MAXIMIZED);
    EXPECT_EQ(Record(0).nCmdShow, 3);
    EXPECT_FALSE(Checked(IDC_MINIMIZED));

    EXPECT_FALSE(Enabled(IDC_WEEKENDS));
    Click(IDC_WORKWEEK_ENABLE);
    EXPECT_EQ(Record(0).WorkWeekEnable, 1);
    EXPECT_TRUE(Enabled(IDC_WEEKENDS));
    EXPECT_TRUE(Enabled(IDC_WORKDAYS));
    Click(IDC_WEEKENDS);
    EXPECT_EQ(Record(0).WorkWeek, 1);
    Click(IDC_WORKDAYS);
    EXPECT_EQ(Record(0).WorkWeek, 2);
    Click(IDC_WORKWEEK_ENABLE);
    EXPECT_EQ(Record(0).WorkWeekEnable, 0);
    EXPECT_EQ(Record(0).WorkWeek, 2);
    EXPECT_FALSE(Enabled(IDC_WORKDAYS));

    Click(IDC_DOW_ENABLE);
    EXPECT_EQ(Record(0).DOWEnable, 1);
    EXPECT_TRUE(Enabled(IDC_DAYS));
    SendMessageA(Item(IDC_DAYS), CB_SETCURSEL, 6, 0);
    SendCommand(Dlg(), IDC_DAYS, CBN_SELCHANGE);
    EXPECT_EQ(Record(0).DOW, 6);

    Click(IDC_DOM_ENABLE);
    EXPECT_EQ(Record(0).DOMEnable, 1);
    EXPECT_TRUE(Enabled(IDC_DOM));
    EXPECT_TRUE(Enabled(IDC_DOM_SCROLL));
    EXPECT_TRUE(BarEnabled(IDC_DOM_SCROLL));
    Click(IDC_DOM_ENABLE);
    EXPECT_FALSE(Enabled(IDC_DOM_SCROLL));
    EXPECT_FALSE(BarEnabled(IDC_DOM_SCROLL));
}

TEST_F(EditorDialog, RemoveDropsTheSelectedRecordAndTheSelection) {
    WriteFile(kThreeRecords);
    Open();
    Select(0);
    Click(IDC_APPLY);
    Click(IDC_REMOVE);
    EXPECT_EQ(ListCount(), 2);
    EXPECT_EQ(ListSelection(), -1);
    ASSERT_EQ(AppList->Count(), 2u);
    EXPECT_STREQ(Record(0).path.get(), "C:\\apps\\alpha.exe");
    EXPECT_STREQ(Record(1).path.get(), "C:\\apps\\mid.bat");
    EXPECT_EQ(ListText(0), "C:\\apps\\alpha.exe");
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Enabled(IDC_REMOVE));
    EXPECT_FALSE(Enabled(IDC_DELAY));
}

TEST_F(EditorDialog, ApplyThatCannotWriteReportsAndKeepsTheChange) {
    WriteFile(kThreeRecords);
    Open();
    Select(0);
    Clear();
    fs::create_directory(name_);  // a directory in the file's place cannot be replaced
    Click(IDC_APPLY);
    EXPECT_EQ(TakeShownMessages(),
              (std::vector<ShownMessage>{{"Unable to open : " + name_, "FileError"}}));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_TRUE(dialog_->IsModified());
}

struct OkCase {
    int command;
    const char* name;
};

class EditorOk : public EditorDialog, public testing::WithParamInterface<OkCase> {};

TEST_P(EditorOk, SavesReleasesTheListAndEndsTheEditor) {
    WriteFile(kThreeRecords);
    Open();
    Select(1);
    if (GetParam().command == IDC_OK) {
        Click(IDC_OK);
    } else {
        SendCommand(Dlg(), IDOK, BN_CLICKED);
    }
    EXPECT_EQ(AppList, nullptr);
    EXPECT_EQ(Dlg(), nullptr);
    EXPECT_TRUE(FrameCloses());
    EXPECT_NE(FileContent().find("Delay=300\r\n"), std::string::npos);
    EXPECT_TRUE(TakeShownMessages().empty());
}

TEST_P(EditorOk, StaysOpenWhenTheFileCannotBeWritten) {
    WriteFile(kThreeRecords);
    Open();
    Clear();
    fs::create_directory(name_);
    if (GetParam().command == IDC_OK) {
        Click(IDC_OK);
    } else {
        SendCommand(Dlg(), IDOK, BN_CLICKED);
    }
    EXPECT_EQ(TakeShownMessages(),
              (std::vector<ShownMessage>{{"Unable to open : " + name_, "FileError"}}));
    ASSERT_NE(AppList, nullptr);
    EXPECT_EQ(AppList->Count(), 3u);
    EXPECT_TRUE(IsWindow(Dlg()));
    PumpMessages();
    EXPECT_TRUE(IsWindow(frame_->GetHandle()));
}

INSTANTIATE_TEST_SUITE_P(Commands, EditorOk,
                         testing::Values(OkCase{IDC_OK, "Button"}, OkCase{IDOK, "Enter"}),
                         [](const testing::TestParamInfo<OkCase>& info) {
                             return info.param.name;
                         });

TEST_F(EditorDialog, OkWithoutAFileWritesTheBannerOnly) {
    Open();
    EXPECT_EQ(ListCount(), 0);
    Click(IDC_OK);
    EXPECT_TRUE(FrameCloses());
    EXPECT_EQ(FileContent(), kConfigBanner);
}

TEST_F(EditorDialog, CancelReleasesTheListAndWritesNothing) {
    WriteFile(kThreeRecords);
    Open();
    Select(1);
    Click(IDC_REMOVE);
    Click(IDC_CANCEL);
    EXPECT_EQ(AppList, nullptr);
    EXPECT_TRUE(FrameCloses());
    EXPECT_EQ(FileContent(), kThreeRecords);
}

TEST_F(EditorDialog, EscapeEndsWithoutSavingAndKeepsTheList) {
    WriteFile(kThreeRecords);
    Open();
    Select(1);
    SendCommand(Dlg(), IDCANCEL, BN_CLICKED);
    EXPECT_EQ(Dlg(), nullptr);
    EXPECT_NE(AppList, nullptr);
    EXPECT_TRUE(FrameCloses());
    EXPECT_EQ(FileContent(), kThreeRecords);
}

TEST_F(EditorDialog, ClosingTheFrameSavesNothing) {
    WriteFile(kThreeRecords);
    Open();
    Select(1);
    SendMessageA(frame_->GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Dlg(), nullptr);
    EXPECT_EQ(FileContent(), kThreeRecords);
}

// Answers the file-open dialog the way a user would, once it is up. Should it never come up,
// whatever pop-up the editor has is cancelled after five seconds, so the test fails instead of
// waiting for ever.
struct FileDialogAnswer {
    static constexpr UINT kTickMs = 50;
    static constexpr int kMaxTicks = 100;

    static std::string name;  // empty: cancel
    static HWND frame;
    static bool answered;
    static bool timedOut;
    static int ticks;

    static BOOL CALLBACK CancelDialogBox(HWND window, LPARAM) {
        char className[16];
        if (GetClassNameA(window, className, sizeof className) &&
            lstrcmpA(className, "#32770") == 0)
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    static void CancelPopups() {
        if (HWND popup = GetWindow(frame, GW_ENABLEDPOPUP))
            PostMessageA(popup, WM_COMMAND, IDCANCEL, 0);
        EnumThreadWindows(GetCurrentThreadId(), CancelDialogBox, 0);
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        if (answered) return;
        if (++ticks > kMaxTicks) {
            // Every tick from now on, until the test's click returns and kills the timer.
            timedOut = true;
            CancelPopups();
            return;
        }
        HWND box = FindWindowA("#32770", "Chose an application to add");
        if (!box || !IsWindowVisible(box)) return;
        KillTimer(nullptr, id);
        answered = true;
        if (name.empty()) {
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // The file name box: a combo box (cmb13) in the newer style, an edit (edt1) in the older.
        HWND field = GetDlgItem(box, 0x47c);
        if (!field || !IsWindowVisible(field)) field = GetDlgItem(box, 0x480);
        SetWindowTextA(field, name.c_str());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
};
std::string FileDialogAnswer::name;
HWND FileDialogAnswer::frame = nullptr;
bool FileDialogAnswer::answered = false;
bool FileDialogAnswer::timedOut = false;
int FileDialogAnswer::ticks = 0;

// Clicks Add and answers the file dialog with `name` (empty: cancel); false when the file dialog
// never came up.
bool AddWithAnswer(HWND frame, HWND addButton, const std::string& name) {
    FileDialogAnswer::name = name;
    FileDialogAnswer::frame = frame;
    FileDialogAnswer::answered = false;
    FileDialogAnswer::timedOut = false;
    FileDialogAnswer::ticks = 0;
    const UINT_PTR timer =
        SetTimer(nullptr, 0, FileDialogAnswer::kTickMs, FileDialogAnswer::OnTimer);
    SendMessageA(addButton, BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    return FileDialogAnswer::answered && !FileDialogAnswer::timedOut;
}

TEST_F(EditorDialog, AddAnAppAppendsARecordWithDefaults) {
    WriteFile(kThreeRecords);
    Open();
    Select(1);
    Click(IDC_APPLY);
    // Typed without its extension; the dialog adds the default one for a file that exists.
    const std::string chosen = platform::WindowsDirectory() + "\\trellis-added.exe";
    std::ofstream(chosen) << "";
    const bool answered =
        AddWithAnswer(frame_->GetHandle(), Item(IDC_ADD), "C:\\windows\\trellis-added");
    Idle();
    fs::remove(chosen);
    ASSERT_TRUE(answered);
    ASSERT_EQ(AppList->Count(), 4u);
    const SAppData& added = Record(3);
    EXPECT_STREQ(added.path.get(), "C:\\windows\\trellis-added.exe");
    EXPECT_EQ(added.nCmdShow, 1);
    EXPECT_EQ(added.Delay, 0);
    EXPECT_EQ(added.WorkWeekEnable, 0);
    EXPECT_EQ(added.WorkWeek, 2);
    EXPECT_EQ(added.DOWEnable, 0);
    EXPECT_EQ(added.DOW, 1);
    EXPECT_EQ(added.DOMEnable, 0);
    EXPECT_EQ(added.DOM, 1);
    EXPECT_EQ(ListCount(), 4);
    EXPECT_EQ(ListText(3), "C:\\windows\\trellis-added.exe");
    EXPECT_EQ(ListSelection(), 1);
    EXPECT_TRUE(Enabled(IDC_APPLY));

    Select(3);
    EXPECT_TRUE(Checked(IDC_NORMAL));
    EXPECT_EQ(Text(IDC_DELAY), "0");
    EXPECT_FALSE(Checked(IDC_WORKWEEK_ENABLE));
    EXPECT_TRUE(Checked(IDC_WORKDAYS));
    EXPECT_FALSE(Enabled(IDC_WORKDAYS));
    EXPECT_EQ(DaySelection(), 1);
    EXPECT_FALSE(Enabled(IDC_DAYS));
    EXPECT_EQ(Text(IDC_DOM), "1");
    EXPECT_FALSE(Enabled(IDC_DOM));
}

TEST_F(EditorDialog, CancelledAddChangesNothing) {
    WriteFile(kThreeRecords);
    Open();
    const bool answered = AddWithAnswer(frame_->GetHandle(), Item(IDC_ADD), "");
    Idle();
    ASSERT_TRUE(answered);
    EXPECT_EQ(AppList->Count(), 3u);
    EXPECT_EQ(ListCount(), 3);
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

}  // namespace
