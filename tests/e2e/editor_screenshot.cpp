// Not a test: sets the editor up for a picture (tools/screenshot-editor.sh).
// Writes a sample configuration, starts the editor, selects one record so
// that the controls show its values, prints the frame's screen rectangle as
// "frame X Y WIDTH HEIGHT" and leaves the editor running for the screenshot
// the session takes when this program has ended.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/editor_window.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "editor_screenshot: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const std::vector<e2e::AppRecord> records = {
        e2e::MakeRecord("C:\\Program Files\\Mail\\mail.exe", 1, 10, false, 1, false, 1, false, 2),
        e2e::MakeRecord("C:\\Program Files\\Calendar\\calendar.exe", 2, 30, false, 1, false, 1,
                        true, 2),
        e2e::MakeRecord("C:\\Program Files\\Chat\\chat.exe", 1, 45, true, 1, false, 1, true, 2),
        e2e::MakeRecord("C:\\Tools\\backup.bat", 2, 120, true, 5, true, 15, false, 2),
        e2e::MakeRecord("C:\\Program Files\\News Reader\\news.exe", 3, 60, false, 1, false, 1, true,
                        1),
    };
    // The selected record: backup.bat, minimized, two minutes, Fridays and the 15th.
    const int selected = 3;

    if (!e2e::WriteConfig(e2e::ConfigText(records))) return Fail("cannot write the configuration");
    e2e::Process editor = e2e::StartProcess(e2e::TrellisbournePath(), "");
    if (!editor.Valid()) return Fail("cannot start the editor");
    e2e::EditorWindow window;
    if (!window.Attach(editor.Id(), 20000)) return Fail("the editor's window did not appear");
    if (!window.Select(selected)) return Fail("cannot select a record");
    const bool settled = e2e::WaitFor(
        [&] {
            return window.Enabled(IDC_APPLY) && window.Enabled(IDC_DAYS) && window.Enabled(IDC_DOM);
        },
        5000);
    if (!settled) return Fail("the controls did not follow the selection");

    // Paint now, and wait for the editor to have done so, before the picture.
    RedrawWindow(window.Frame(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);

    RECT frame;
    if (!GetWindowRect(window.Frame(), &frame)) return Fail("no frame rectangle");
    std::printf("frame %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                frame.bottom - frame.top);
    std::fflush(stdout);
    editor.Release();
    return 0;
}
