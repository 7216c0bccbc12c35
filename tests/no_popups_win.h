// Test programs under Wine must never wait for a click: no crash or
// file-error pop-ups, and a crash ends the process with a non-zero code (Wine
// would otherwise report a crashed program as having exited with 0).
#pragma once

#include <windows.h>

#include <cstdio>

inline LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "crashed: exception 0x%08lx\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

inline void TurnOffPopups() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ExitOnCrash);
}
