#include "editor/running_editor_win.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "editor/config_app.h"
#include "editor/running_editor.h"
#include "framework/frame_window.h"

namespace {

using editor::SWindowFacts;

struct SThreadWindows {
    DWORD thread;
    HWND frame;
    std::vector<HWND> windows;  // z-order, topmost first
};

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<SThreadWindows*>(param);
    if (window != found->frame && GetWindowThreadProcessId(window, nullptr) == found->thread)
        found->windows.push_back(window);
    return TRUE;
}

bool IsDialogBox(HWND window) {
    char name[8] = {};
    return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

SWindowFacts FactsOf(HWND window, HWND frame) {
    SWindowFacts facts;
    facts.visible = IsWindowVisible(window) != FALSE;
    facts.enabled = IsWindowEnabled(window) != FALSE;
    facts.ownedByFrame = window != frame && GetAncestor(window, GA_ROOTOWNER) == frame;
    facts.ownReport = window != frame && !GetWindow(window, GW_OWNER) && IsDialogBox(window);
    return facts;
}

}  // namespace

void BringRunningEditorForward() {
    HWND frame = FindWindowA(framework::TFrameWindow::kClassName, kEditorTitle);
    if (!frame || !IsWindowVisible(frame)) return;
    // Restored without activation: a frame that waits on a dialog stays
    // inactive, and its own pop-ups, hidden while it was minimised, come back.
    if (IsIconic(frame)) ShowWindow(frame, SW_SHOWNOACTIVATE);

    SThreadWindows found{GetWindowThreadProcessId(frame, nullptr), frame, {}};
    EnumWindows(CollectThreadWindow, reinterpret_cast<LPARAM>(&found));
    std::vector<SWindowFacts> others;
    for (HWND window : found.windows) others.push_back(FactsOf(window, frame));

    const int pick = editor::WindowToFront(FactsOf(frame, frame), others);
    if (pick == editor::kFrontFrame) SetForegroundWindow(frame);
    if (pick >= 0) SetForegroundWindow(found.windows[static_cast<std::size_t>(pick)]);
}
