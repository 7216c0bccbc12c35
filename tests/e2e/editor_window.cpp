#include "tests/e2e/editor_window.h"

#include <cstdlib>
#include <sstream>

namespace e2e {

namespace {

// Long enough for a slow machine, short enough that a hung editor fails the
// test instead of hanging it.
constexpr UINT kSendTimeoutBaseMs = 10000;
UINT SendTimeoutMs() {
    return ScaledMs(kSendTimeoutBaseMs);
}
// How long the idle pass may take to follow a change.
constexpr DWORD kIdleTimeoutMs = 5000;

HWND FindFrame(DWORD processId, bool visibleOnly) {
    WindowQuery query;
    query.className = kEditorFrameClass;
    query.processId = processId;
    query.visibleOnly = visibleOnly;
    return FindTopLevelWindow(query);
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::uint16_t Number16(const std::string& text) {
    // Kept to 16 bits, as the program stores these fields.
    return static_cast<std::uint16_t>(std::strtol(text.c_str(), nullptr, 10));
}

}  // namespace

HWND FindEditorFrame(DWORD processId) {
    return FindFrame(processId, true);
}
HWND FindAnyEditorFrame(DWORD processId) {
    return FindFrame(processId, false);
}

bool EditorWindow::Attach(DWORD processId, DWORD timeoutMs) {
    frame_ = nullptr;
    dialog_ = nullptr;
    return WaitFor(
        [&] {
            frame_ = FindEditorFrame(processId);
            if (!frame_) return false;
            dialog_ = GetWindow(frame_, GW_CHILD);
            return dialog_ != nullptr && WindowClass(dialog_) == "#32770";
        },
        timeoutMs);
}

HWND EditorWindow::Item(int id) const {
    return GetDlgItem(dialog_, id);
}

HWND EditorWindow::ScrollBar(int id) const {
    for (HWND child : ItemsWithId(id))
        if (WindowClass(child) == "ScrollBar") return child;
    return nullptr;
}

std::vector<HWND> EditorWindow::ItemsWithId(int id) const {
    std::vector<HWND> items;
    for (HWND child : ChildWindows(dialog_))
        if (GetParent(child) == dialog_ && GetDlgCtrlID(child) == id) items.push_back(child);
    return items;
}

LRESULT EditorWindow::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs(),
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

bool EditorWindow::Select(int index) const {
    HWND list = Item(101);
    return Send(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0) == index &&
           Send(dialog_, WM_COMMAND, MAKEWPARAM(101, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(list)) != -1;
}

bool EditorWindow::SelectDay(int day) const {
    HWND combo = Item(106);
    return Send(combo, CB_SETCURSEL, static_cast<WPARAM>(day), 0) == day &&
           Send(dialog_, WM_COMMAND, MAKEWPARAM(106, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(combo)) != -1;
}

bool EditorWindow::Type(int id, const std::string& text) const {
    // The system carries the text across to the other process.
    return Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
}

bool EditorWindow::Click(int id) const {
    // As a user can: once the idle pass has enabled the button. (A click on a
    // disabled radio button makes Wine loop for ever looking for its group.)
    return WaitFor([&] { return Enabled(id); }, kIdleTimeoutMs) &&
           Send(Item(id), BM_CLICK, 0, 0) != -1;
}

bool EditorWindow::Scroll(int barId, int scrollCode) const {
    HWND bar = ScrollBar(barId);
    return bar && Send(dialog_, WM_VSCROLL, MAKEWPARAM(scrollCode, 0),
                       reinterpret_cast<LPARAM>(bar)) != -1;
}

bool EditorWindow::PostClick(int id) const {
    return PostMessageA(Item(id), BM_CLICK, 0, 0) != FALSE;
}

bool EditorWindow::PostCommand(WORD id) const {
    return PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(Item(id))) != FALSE;
}

bool EditorWindow::PostKey(int id, UINT virtualKey) const {
    HWND target = Item(id);
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scan << 16);
    const LPARAM up = down | (1L << 30) | (1L << 31);
    // The key-up may find the window gone when the key ended the editor.
    const bool posted = PostMessageA(target, WM_KEYDOWN, virtualKey, down) != FALSE;
    PostMessageA(target, WM_KEYUP, virtualKey, up);
    return posted;
}

bool EditorWindow::Settle() const {
    for (int round = 0; round < 2; ++round) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, SendTimeoutMs(), &ignored))
            return false;
    }
    return true;
}

std::string EditorWindow::Text(int id) const {
    return WindowText(Item(id));
}

bool EditorWindow::Checked(int id) const {
    return Send(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool EditorWindow::Enabled(int id) const {
    const std::vector<HWND> items = ItemsWithId(id);
    if (items.empty()) return false;
    for (HWND item : items)
        if (!IsWindowEnabled(item)) return false;
    return true;
}

bool EditorWindow::Disabled(int id) const {
    const std::vector<HWND> items = ItemsWithId(id);
    if (items.empty()) return false;
    for (HWND item : items)
        if (IsWindowEnabled(item)) return false;
    return true;
}

int EditorWindow::ListCount() const {
    return static_cast<int>(Send(Item(101), LB_GETCOUNT, 0, 0));
}

std::vector<std::string> EditorWindow::ListTexts() const {
    std::vector<std::string> texts;
    const int count = ListCount();
    for (int i = 0; i < count; ++i)
        texts.push_back(ItemText(Item(101), LB_GETTEXTLEN, LB_GETTEXT, i));
    return texts;
}

int EditorWindow::ListSelection() const {
    return static_cast<int>(Send(Item(101), LB_GETCURSEL, 0, 0));
}

int EditorWindow::DaySelection() const {
    return static_cast<int>(Send(Item(106), CB_GETCURSEL, 0, 0));
}

std::string EditorWindow::DayText(int day) const {
    return ItemText(Item(106), CB_GETLBTEXTLEN, CB_GETLBTEXT, day);
}

std::string EditorWindow::ItemText(HWND control, UINT lengthMessage, UINT textMessage,
                                   int index) const {
    // Asked in wide characters: Wine carries the ANSI forms of these two
    // messages across processes as wide text, which overruns an ANSI buffer.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, lengthMessage, static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                             SendTimeoutMs(), &length) ||
        static_cast<LRESULT>(length) < 0)
        return {};
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, textMessage, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, SendTimeoutMs(),
                             &copied))
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

bool AnswerAddDialog(DWORD processId, const std::string& path, DWORD timeoutMs) {
    WindowQuery query;
    query.className = "#32770";
    query.title = kAddDialogTitle;
    query.processId = processId;
    query.visibleOnly = true;
    HWND box = WaitForTopLevelWindow(query, timeoutMs);
    if (!box) return false;
    if (path.empty()) {
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    } else {
        // The file-name field: a combo box in the newer dialog style, an edit box in the older.
        HWND field = GetDlgItem(box, 0x47c);
        if (!field || !IsWindowVisible(field)) field = GetDlgItem(box, 0x480);
        DWORD_PTR result = 0;
        if (!field ||
            !SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                                 SMTO_NORMAL, SendTimeoutMs(), &result))
            return false;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return WaitFor([&] { return !IsWindow(box); }, timeoutMs);
}

AppRecord MakeRecord(const std::string& path, std::int32_t nCmdShow, std::uint16_t delay,
                     bool dowEnable, std::uint16_t dow, bool domEnable, std::uint16_t dom,
                     bool workWeekEnable, std::uint16_t workWeek) {
    AppRecord r;
    r.path = path;
    r.nCmdShow = nCmdShow;
    r.delay = delay;
    r.dowEnable = dowEnable;
    r.dow = dow;
    r.domEnable = domEnable;
    r.dom = dom;
    r.workWeekEnable = workWeekEnable;
    r.workWeek = workWeek;
    return r;
}

std::vector<AppRecord> ParseConfigRecords(const std::string& text) {
    std::vector<AppRecord> records;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (StartsWith(line, "[")) {
            records.emplace_back();
            records.back().path =
                line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
            continue;
        }
        if (records.empty()) continue;
        AppRecord& r = records.back();
        const std::string value = line.substr(line.find('=') + 1);
        // Longer keys first: "WorkWeekEnable=" also starts with "WorkWeek".
        if (StartsWith(line, "nCmdShow="))
            r.nCmdShow = static_cast<std::int32_t>(std::strtol(value.c_str(), nullptr, 10));
        else if (StartsWith(line, "Delay="))
            r.delay = Number16(value);
        else if (StartsWith(line, "WorkWeekEnable="))
            r.workWeekEnable = value == "1";
        else if (StartsWith(line, "WorkWeek="))
            r.workWeek = Number16(value);
        else if (StartsWith(line, "DOWEnable="))
            r.dowEnable = value == "1";
        else if (StartsWith(line, "DOW="))
            r.dow = Number16(value);
        else if (StartsWith(line, "DOMEnable="))
            r.domEnable = value == "1";
        else if (StartsWith(line, "DOM="))
            r.dom = Number16(value);
    }
    return records;
}

std::string ConfigSections(const std::string& text) {
    std::string::size_type at = 0;
    while (text.compare(at, 2, "//") == 0) {
        const std::string::size_type end = text.find('\n', at);
        if (end == std::string::npos) return {};
        at = end + 1;
    }
    if (text.compare(at, 2, "\r\n") == 0) at += 2;
    return text.substr(at);
}

bool operator==(const AppRecord& a, const AppRecord& b) {
    return a.path == b.path && a.nCmdShow == b.nCmdShow && a.delay == b.delay &&
           a.dowEnable == b.dowEnable && a.dow == b.dow && a.domEnable == b.domEnable &&
           a.dom == b.dom && a.workWeekEnable == b.workWeekEnable && a.workWeek == b.workWeek;
}

std::ostream& operator<<(std::ostream& os, const AppRecord& r) {
    return os << "[" << r.path << "] nCmdShow=" << r.nCmdShow << " Delay=" << r.delay
              << " DOWEnable=" << r.dowEnable << " DOW=" << r.dow << " DOMEnable=" << r.domEnable
              << " DOM=" << r.dom << " WorkWeekEnable=" << r.workWeekEnable
              << " WorkWeek=" << r.workWeek;
}

}  // namespace e2e
