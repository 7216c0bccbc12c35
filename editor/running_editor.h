// A second editor of the session does not open: it brings the running editor
// forward instead, and the choice of which of that editor's windows comes
// forward is made here, on plain facts about them, so that it can be tested
// anywhere. running_editor_win.cpp gathers the facts and acts on the choice.
#pragma once

#include <vector>

namespace editor {

// One top-level window of the running editor, as another process sees it.
struct SWindowFacts {
    bool visible = false;
    bool enabled = false;
    bool ownedByFrame = false;  // its owners lead to the frame (the file-open dialog, its boxes)
    bool ownReport = false;     // a dialog box without owner: a message box about the file
};

constexpr int kFrontFrame = -1;  // bring the frame itself forward
constexpr int kFrontNone = -2;   // leave every window as it is

// The window to bring forward, given the frame (already restored if it was
// minimised, which shows its own pop-ups again) and the editor's other
// top-level windows in z-order, topmost first: the index of the topmost
// visible, enabled window that is either the frame's or one of the editor's
// reports, so that a dialog the user must answer stays the one to answer; else
// the frame when it takes input; else none, as a frame that waits on a dialog
// not shown yet must not be activated under it. A frame not shown yet (the
// editor is still starting) is left alone as well.
int WindowToFront(const SWindowFacts& frame, const std::vector<SWindowFacts>& others);

}  // namespace editor
