// The windowing layer on the configuration dialog's template, under the real window system.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/frame_window.h"
#include "resources/resource_ids.h"
#include "tests/framework/window_test_support.h"

namespace {

using framework::TEnableState;

struct Event {
    uint32_t id;
    uint32_t code;
    bool operator==(const Event& o) const { return id == o.id && code == o.code; }
};

void PrintTo(const Event& e, std::ostream* os) {
    *os << "(" << e.id << ", " << e.code << ")";
}

// Focus moves as windows come and go; those notifications are not what these tests watch.
bool IsFocusNotification(uint32_t id, uint32_t code) {
    switch (id) {
        case IDC_APPLIST:
            return code == LBN_SETFOCUS || code == LBN_KILLFOCUS;
        case IDC_DAYS:
            return code == CBN_SETFOCUS || code == CBN_KILLFOCUS;
        case IDC_DELAY:
        case IDC_DOM:
            return code == EN_SETFOCUS || code == EN_KILLFOCUS;
    }
    return false;
}

// Records its notifications; one rule (109) follows a flag, one row throws.
class TRecordingDialog : public framework::TDialog {
public:
    TRecordingDialog()
        : TDialog(nullptr, IDD_CONFIG),
          list(this, IDC_APPLIST),
          days(this, IDC_DAYS),
          normal(this, IDC_NORMAL),
          delay(this, IDC_DELAY) {}

    std::vector<Event> events;
    std::vector<std::string> delayTexts;  // the box's text as each EN_CHANGE saw it
    bool setUp = false;
    std::atomic<bool> rule109{false};
    framework::TListBox list;
    framework::TComboBox days;
    framework::TRadioButton normal;
    framework::TEdit delay;

protected:
    void SetupWindow() override {
        setUp = GetHandle() != nullptr && GetDlgItem(GetHandle(), IDC_APPLIST) != nullptr;
    }

    bool DispatchEvent(uint32_t id, uint32_t code) override {
        if (id == IDC_REMOVE && code == BN_CLICKED) rule109 = true;
        if (id == IDC_APPLY && code == BN_CLICKED) throw std::runtime_error("handler failed");
        if (id == IDC_DELAY && code == EN_CHANGE) {
            char text[32];
            delay.GetText(text, sizeof text);
            delayTexts.push_back(text);
        }
        if (!IsFocusNotification(id, code)) events.push_back({id, code});
        // IDOK and IDCANCEL also reach TDialog's own rows.
        return TDialog::DispatchEvent(id, code) || id != 0;
    }

    TEnableState EnableStateFor(uint32_t id) const override {
        if (id == IDC_DOM_SCROLL) return rule109 ? TEnableState::Enabled : TEnableState::Disabled;
        return TEnableState::NoRule;
    }
};

class FrameworkWin : public testing::Test {
protected:
    void SetUp() override {
        dialog_ = new TRecordingDialog;
        frame_ = std::make_unique<framework::TFrameWindow>(nullptr, "Trellisbourne", dialog_, true);
        frame_->Attr().style = 0x90CA0000;
        ASSERT_TRUE(frame_->Create());
        PumpMessages();
    }
    void TearDown() override {
        frame_.reset();
        PumpMessages();
    }
    HWND Dlg() const { return dialog_->GetHandle(); }
    HWND Item(int id) const { return GetDlgItem(Dlg(), id); }

    TRecordingDialog* dialog_ = nullptr;
    std::unique_ptr<framework::TFrameWindow> frame_;
};

TEST_F(FrameworkWin, FrameHostsTheDialogAsItsChildAndShrinksToIt) {
    HWND frame = frame_->GetHandle();
    ASSERT_NE(Dlg(), nullptr);
    EXPECT_TRUE(dialog_->setUp);
    EXPECT_EQ(GetParent(Dlg()), frame);
    char className[64];
    GetClassNameA(frame, className, sizeof className);
    EXPECT_STREQ(className, framework::TFrameWindow::kClassName);
    char title[64];
    GetWindowTextA(frame, title, sizeof title);
    EXPECT_STREQ(title, "Trellisbourne");

    RECT frameClient, dialogRect, units = {0, 0, 278, 126};
    GetClientRect(frame, &frameClient);
    GetWindowRect(Dlg(), &dialogRect);
    MapDialogRect(Dlg(), &units);
    EXPECT_EQ(frameClient.right, units.right);
    EXPECT_EQ(frameClient.bottom, units.bottom);
    EXPECT_EQ(dialogRect.right - dialogRect.left, units.right);
    EXPECT_EQ(dialogRect.bottom - dialogRect.top, units.bottom);
    POINT origin = {0, 0};
    ClientToScreen(frame, &origin);
    EXPECT_EQ(dialogRect.left, origin.x);
    EXPECT_EQ(dialogRect.top, origin.y);
}

TEST_F(FrameworkWin, NotificationsReachTheTableAsIdAndCode) {
    SendMessageA(Item(IDC_ADD), BM_CLICK, 0, 0);
    SendScroll(Dlg(), IDC_DELAY_SCROLL, SB_LINEUP);
    SendScroll(Dlg(), IDC_DOM_SCROLL, SB_LINEDOWN);
    SendCommand(Dlg(), IDC_DAYS, CBN_SELCHANGE);
    EXPECT_EQ(dialog_->events, (std::vector<Event>{{IDC_ADD, BN_CLICKED},
                                                   {IDC_DELAY_SCROLL, SB_LINEUP},
                                                   {IDC_DOM_SCROLL, SB_LINEDOWN},
                                                   {IDC_DAYS, CBN_SELCHANGE}}));
}

TEST_F(FrameworkWin, AnExceptionInAHandlerStaysInTheFramework) {
    SendCommand(Dlg(), IDC_APPLY, BN_CLICKED);
    EXPECT_TRUE(IsWindow(Dlg()));
    SendCommand(Dlg(), IDC_ADD, BN_CLICKED);
    EXPECT_EQ(dialog_->events, (std::vector<Event>{{IDC_ADD, BN_CLICKED}}));
}

TEST_F(FrameworkWin, SettingAnEditsTextReportsTheChangeBeforeReturning) {
    dialog_->delay.SetText("42");
    EXPECT_EQ(dialog_->delayTexts, std::vector<std::string>{"42"});
    char text[4];
    EXPECT_EQ(dialog_->delay.GetText(text, sizeof text), 2);
    EXPECT_STREQ(text, "42");
    dialog_->delay.SetText("123456");
    EXPECT_EQ(dialog_->delay.GetText(text, sizeof text), 3);
    EXPECT_STREQ(text, "123");
}

TEST_F(FrameworkWin, ListAndComboKeepInsertionOrderDespiteTheirSortStyle) {
    const char* names[] = {"zeta", "alpha", "Mid"};
    for (const char* name : names) {
        dialog_->list.AddString(name);
        dialog_->days.AddString(name);
    }
    for (int i = 0; i < 3; ++i) {
        char text[16];
        SendMessageA(Item(IDC_APPLIST), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, names[i]);
        SendMessageA(Item(IDC_DAYS), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, names[i]);
    }
    EXPECT_EQ(dialog_->list.GetSelIndex(), -1);
    SendMessageA(Item(IDC_APPLIST), LB_SETCURSEL, 1, 0);
    EXPECT_EQ(dialog_->list.GetSelIndex(), 1);
    dialog_->list.DeleteString(1);
    EXPECT_EQ(dialog_->list.GetCount(), 2);
    EXPECT_EQ(dialog_->list.GetSelIndex(), -1);

    EXPECT_EQ(dialog_->days.GetSelIndex(), -1);
    dialog_->days.SetSelIndex(2);
    EXPECT_EQ(dialog_->days.GetSelIndex(), 2);
    dialog_->days.SetSelIndex(9);
    EXPECT_EQ(dialog_->days.GetSelIndex(), -1);
}

TEST_F(FrameworkWin, CheckStateRoundTrips) {
    EXPECT_FALSE(dialog_->normal.IsChecked());
    dialog_->normal.SetCheck(true);
    EXPECT_TRUE(dialog_->normal.IsChecked());
    EXPECT_EQ(SendMessageA(Item(IDC_NORMAL), BM_GETCHECK, 0, 0), BST_CHECKED);
    dialog_->normal.SetCheck(false);
    EXPECT_FALSE(dialog_->normal.IsChecked());
}

std::vector<HWND> ChildrenWithId(HWND dialog, int id) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) found.push_back(child);
    }
    return found;
}

TEST_F(FrameworkWin, IdleEnablingReachesEveryChildWithARuleAndNoOther) {
    const std::vector<HWND> shared = ChildrenWithId(Dlg(), IDC_DOM_SCROLL);
    ASSERT_EQ(shared.size(), 2u);  // the frame around the day-of-week rule and the scroll bar
    EnableWindow(Item(IDC_APPLIST), FALSE);
    frame_->IdleAction();
    for (HWND child : shared) EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_APPLIST)));  // no rule: left as it was
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_DELAY)));
    dialog_->rule109 = true;
    frame_->IdleAction();
    for (HWND child : shared) EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_APPLIST)));
}

struct EndCase {
    int command;
    const char* name;
};

class FrameworkEnd : public FrameworkWin, public testing::WithParamInterface<EndCase> {};

TEST_P(FrameworkEnd, StandardCommandEndsTheDialogAndTheFrameFollows) {
    HWND frame = frame_->GetHandle();
    SendCommand(Dlg(), GetParam().command, BN_CLICKED);
    EXPECT_EQ(dialog_->GetHandle(), nullptr);
    bool quit = false;
    EXPECT_TRUE(PumpUntil([&] {
        quit = quit || PumpMessages();
        return !IsWindow(frame);
    }));
    EXPECT_EQ(frame_->GetHandle(), nullptr);
    quit = quit || PumpMessages();
    EXPECT_TRUE(quit);  // the frame's end ends a message loop
}

INSTANTIATE_TEST_SUITE_P(Commands, FrameworkEnd,
                         testing::Values(EndCase{IDOK, "Ok"}, EndCase{IDCANCEL, "Cancel"}),
                         [](const testing::TestParamInfo<EndCase>& info) {
                             return info.param.name;
                         });

TEST_F(FrameworkWin, ClosingTheFrameDestroysTheDialogWithIt) {
    HWND dialog = Dlg();
    SendMessageA(frame_->GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(frame_->GetHandle(), nullptr);
    EXPECT_EQ(dialog_->GetHandle(), nullptr);
    EXPECT_TRUE(PumpMessages());
}

TEST_F(FrameworkWin, AFrameMadeAgainFollowsItsClientsEndAgain) {
    SendMessageA(frame_->GetHandle(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_TRUE(frame_->Create());
    HWND frame = frame_->GetHandle();
    SendCommand(Dlg(), IDCANCEL, BN_CLICKED);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
}

TEST(FrameworkFrame, AClientThatCannotBeMadeFailsTheFrameAndLeavesNoQuit) {
    constexpr int kNoSuchTemplate = 9999;
    framework::TFrameWindow frame(nullptr, "Trellisbourne",
                                  new framework::TDialog(nullptr, kNoSuchTemplate), true);
    EXPECT_FALSE(frame.Create());
    EXPECT_EQ(frame.GetHandle(), nullptr);
    EXPECT_FALSE(PumpMessages());
}

// A frame around `dialog` made as the editor makes its own.
framework::TFrameWindow* EditorStyleFrame(framework::TDialog* dialog) {
    auto* frame = new framework::TFrameWindow(nullptr, "Trellisbourne", dialog, true);
    frame->Attr().style = 0x90CA0000;
    return frame;
}

// An application whose idle pass and keyboard handling are observed from a timer.
// A watchdog closes the frame when the key has not ended the run within five seconds.
class TKeyApp : public framework::TApplication {
public:
    TKeyApp(int key)
        : TApplication("Test", GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL), key_(key) {}
    ~TKeyApp() override {
        if (watchdog_) KillTimer(nullptr, watchdog_);
    }

    static TKeyApp* current;
    int idlePasses = 0;
    bool keySent = false;
    bool watchdogFired = false;
    TRecordingDialog* dialog = nullptr;
    int key_;

protected:
    void InitMainWindow() override {
        dialog = new TRecordingDialog;
        SetMainWindow(EditorStyleFrame(dialog));
        current = this;
        SetTimer(nullptr, 0, 20, OnTimer);
        watchdog_ = SetTimer(nullptr, 0, 5000, OnWatchdog);
    }
    void IdleAction() override {
        ++idlePasses;
        TApplication::IdleAction();
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        TKeyApp* app = current;
        // Once the loop has been idle, the key goes to a control as the user would type it.
        if (app->keySent || app->idlePasses == 0) return;
        KillTimer(nullptr, id);
        app->keySent = true;
        HWND edit = GetDlgItem(app->dialog->GetHandle(), IDC_DELAY);
        PostMessageA(edit, WM_KEYDOWN, app->key_, 0);
    }
    static void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR id, DWORD) {
        TKeyApp* app = current;
        KillTimer(nullptr, id);
        app->watchdog_ = 0;
        app->watchdogFired = true;
        PostMessageA(app->GetMainWindow()->GetHandle(), WM_CLOSE, 0, 0);
    }

    UINT_PTR watchdog_ = 0;
};
TKeyApp* TKeyApp::current = nullptr;

struct KeyCase {
    int key;
    uint32_t command;
    const char* name;
};

class FrameworkKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(FrameworkKeys, RunLoopGivesTheDialogItsKeyboardAndEndsWithTheFrame) {
    TKeyApp app(GetParam().key);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(app.watchdogFired);
    EXPECT_TRUE(app.keySent);
    EXPECT_GT(app.idlePasses, 0);
    ASSERT_NE(app.dialog, nullptr);
    EXPECT_EQ(app.dialog->events, (std::vector<Event>{{GetParam().command, BN_CLICKED}}));
    EXPECT_EQ(app.GetMainWindow()->GetHandle(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, FrameworkKeys,
                         testing::Values(KeyCase{VK_RETURN, IDOK, "Enter"},
                                         KeyCase{VK_ESCAPE, IDCANCEL, "Escape"}),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                             return info.param.name;
                         });

// Another thread (a test driver in another process alike) drives the dialog
// with sent messages only; the idle pass must still follow them.
class TSentMessageApp : public framework::TApplication {
public:
    TSentMessageApp()
        : TApplication("Test", GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL) {}
    ~TSentMessageApp() override {
        if (driver_.joinable()) driver_.join();
    }

    std::atomic<int> idlePasses{0};
    std::atomic<bool> enabledAfterSend{false};
    TRecordingDialog* dialog = nullptr;
    // The dialog's window as the last idle pass saw it, for the driver thread.
    std::atomic<HWND> dialogHandle{nullptr};

protected:
    void InitMainWindow() override {
        dialog = new TRecordingDialog;
        SetMainWindow(EditorStyleFrame(dialog));
        driver_ = std::thread([this] { Drive(); });
    }
    void IdleAction() override {
        ++idlePasses;
        TApplication::IdleAction();
        dialogHandle = dialog->GetHandle();
    }

private:
    static bool WaitFor(const std::function<bool()>& done) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > 5000) return false;
            Sleep(10);  // polling another thread's state, bounded by the timeout above
        }
        return true;
    }
    void Drive() {
        // Set once an idle pass has run with the dialog up.
        HWND handle = nullptr;
        if (WaitFor([&] { return (handle = dialogHandle) != nullptr; })) {
            const HWND bar = ScrollBar(handle, IDC_DOM_SCROLL);
            WaitFor([&] { return !IsWindowEnabled(bar); });
            // The handler turns the rule on; nothing is posted to the editor's queue.
            SendMessageA(handle, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED), 0);
            enabledAfterSend = WaitFor([&] { return IsWindowEnabled(bar) != FALSE; });
        }
        // Whatever happened above, the run is ended so that Run() returns.
        if (HWND last = dialogHandle)
            SendMessageA(last, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }

    std::thread driver_;
};

TEST(FrameworkApp, IdlePassFollowsMessagesSentFromAnotherThread) {
    TSentMessageApp app;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.enabledAfterSend);
}

TEST(FrameworkApp, RunWithoutAMainWindowFails) {
    framework::TApplication app("Test", GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    EXPECT_EQ(app.Run(), -1);
}

}  // namespace
