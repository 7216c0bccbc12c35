// The configuration editor (Trellisbourne.exe started without a tail) as a
// driver program sees it from another process: its frame, the dialog inside
// it, and the dialog's controls by ID (resources/resource_ids.h).
//
// Actions are the messages a user's input produces. Most are sent, so the
// editor has handled them when the call returns; those that open a modal
// window (a message box, the file-open dialog) or end the editor are posted.
// The editor enables and disables its controls in an idle pass after each
// message: wait for an enabled state with WaitFor, never read it at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace e2e {

constexpr const char* kEditorFrameClass = "TrellisbourneFrame";
constexpr const char* kAddDialogTitle = "Chose an application to add";

// The editor's frame of process `processId`, once shown (visible).
HWND FindEditorFrame(DWORD processId);
// Any frame of that process, shown or not.
HWND FindAnyEditorFrame(DWORD processId);

class EditorWindow {
public:
    // Waits until the frame of `processId` is shown and holds its dialog.
    bool Attach(DWORD processId, DWORD timeoutMs);

    HWND Frame() const { return frame_; }
    HWND Dialog() const { return dialog_; }
    // The first control with that ID (for 109, the etched frame "Frame2").
    HWND Item(int id) const;
    // The scroll bar control with that ID.
    HWND ScrollBar(int id) const;
    // Every child window with that ID (109 names a frame and a scroll bar).
    std::vector<HWND> ItemsWithId(int id) const;

    // Sent: handled when the call returns.
    bool Select(int index) const;  // list selection as a click in the list gives it
    bool SelectDay(int day) const;
    bool Type(int id, const std::string& text) const;
    bool Click(int id) const;
    bool Scroll(int barId, int scrollCode) const;  // SB_LINEUP: upper arrow
    // Posted: for actions that open a modal window or end the editor.
    bool PostClick(int id) const;
    bool PostCommand(WORD id) const;              // IDOK or IDCANCEL, as Enter and Escape give them
    bool PostKey(int id, UINT virtualKey) const;  // key down and up to that control

    // Returns once the editor is back in its message loop and has run the
    // idle pass that follows: read a state that must NOT have changed after
    // this, as there is nothing to wait for. Sends WM_NULL twice: the first
    // comes back once the editor takes messages again (a handler that was
    // running has ended), the second once the idle pass after it is done.
    // Messages posted to the editor are not waited for.
    bool Settle() const;

    std::string Text(int id) const;
    bool Checked(int id) const;
    // Whether every window with that ID is enabled (or every one disabled).
    bool Enabled(int id) const;
    bool Disabled(int id) const;
    int ListCount() const;
    std::vector<std::string> ListTexts() const;
    int ListSelection() const;  // -1 when none
    int DaySelection() const;   // -1 when none
    std::string DayText(int day) const;

private:
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    // The text of entry `index` of a list or combo box.
    std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) const;

    HWND frame_ = nullptr;
    HWND dialog_ = nullptr;
};

// The file-open dialog of "Add an App": types `path` into its file-name field
// and presses its OK button, or (empty path) cancels it.
bool AnswerAddDialog(DWORD processId, const std::string& path, DWORD timeoutMs);

// A record with every field given, in the order of the file's keys.
AppRecord MakeRecord(const std::string& path, std::int32_t nCmdShow, std::uint16_t delay,
                     bool dowEnable, std::uint16_t dow, bool domEnable, std::uint16_t dom,
                     bool workWeekEnable, std::uint16_t workWeek);

// Records of a configuration text in the program's own format.
std::vector<AppRecord> ParseConfigRecords(const std::string& text);
// The text after the comment banner and its empty line: the sections.
std::string ConfigSections(const std::string& text);

bool operator==(const AppRecord& a, const AppRecord& b);
std::ostream& operator<<(std::ostream& os, const AppRecord& r);

}  // namespace e2e
