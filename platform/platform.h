// The few operating-system services the portable configuration store needs.
// platform_win.cpp implements them over Win32, platform_posix.cpp over POSIX
// for the host build and its tests. Nothing here includes windows.h.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace platform {

// The Windows directory without a trailing separator, or an empty string when
// there is none (the host build): the configuration then lives in the current directory.
std::string WindowsDirectory();

// Reads the whole file into `out`. False when the file cannot be opened or read.
bool ReadWholeFile(const char* name, std::string& out);

// Replaces the file's content with `data` so that it is never seen half
// written: the data goes to a temporary file beside it, which then takes the
// file's place in one rename. False on any failure; the old file is then
// exactly as it was and no temporary file is left behind.
bool ReplaceFileContents(const char* name, const char* data, std::size_t size);

// The temporary file ReplaceFileContents writes beside `name` before the rename.
std::string TemporaryNameFor(const char* name);

// True when `name` names an existing file (not a directory).
bool FileExists(const char* name);

// A modal message box with no owner window and only an OK button.
void ShowMessage(const char* text, const char* caption);

// Tests route message boxes here instead of showing them; an empty sink
// restores the real boxes.
using MessageSink = std::function<void(const std::string& text, const std::string& caption)>;
void SetMessageSink(MessageSink sink);

}  // namespace platform
