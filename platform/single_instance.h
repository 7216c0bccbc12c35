// One process of a kind per log-on session: a named kernel object in the
// session's own ("Local\") namespace. The first process to ask creates it and
// holds it until it ends; later processes see that it already exists. The
// system closes a process's handles however the process ends (a return, an
// ExitProcess, a crash), so the name is free again once the holder is gone.
// Nothing here includes windows.h; single_instance_win.cpp implements it.
#pragma once

namespace platform {

// The program's names, one per mode.
constexpr char kLauncherInstanceName[] = "Local\\Trellisbourne.Launcher";
constexpr char kEditorInstanceName[] = "Local\\Trellisbourne.Editor";

class SessionInstance {
public:
    explicit SessionInstance(const char* name);
    ~SessionInstance();
    SessionInstance(const SessionInstance&) = delete;
    SessionInstance& operator=(const SessionInstance&) = delete;

    // False when another process of the session holds the name. A name that
    // cannot be made at all (no such namespace, no memory) counts as first:
    // the program then runs as it would without the check.
    bool First() const { return first_; }

private:
    void* handle_ = nullptr;
    bool first_ = true;
};

}  // namespace platform
