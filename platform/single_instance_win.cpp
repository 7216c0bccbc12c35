#include <windows.h>

#include "platform/single_instance.h"

namespace platform {

SessionInstance::SessionInstance(const char* name) {
    // A mutex that is never waited on: only its existence counts. The handle is
    // not inheritable, so the programs this process starts do not keep it alive.
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    handle_ = mutex;
    // Another user's object of that name gives ERROR_ACCESS_DENIED: it is held too.
    first_ = !(error == ERROR_ALREADY_EXISTS || (mutex == nullptr && error == ERROR_ACCESS_DENIED));
}

SessionInstance::~SessionInstance() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

}  // namespace platform
