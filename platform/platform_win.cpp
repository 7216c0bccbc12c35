#include <windows.h>

#include <string>

#include "platform/message_sink.h"
#include "platform/platform.h"

namespace platform {

std::string WindowsDirectory() {
    // The first call may report a larger size than the buffer had: call again
    // with that size, so a directory name of any length comes back whole.
    std::string dir(MAX_PATH + 1, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        UINT n = GetWindowsDirectoryA(&dir[0], static_cast<UINT>(dir.size()));
        if (n == 0) return std::string();
        if (n < dir.size()) {
            dir.resize(n);
            return dir;
        }
        dir.assign(n + 1, '\0');
    }
    return std::string();
}

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        if (!Valid()) return true;
        BOOL ok = CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE h_;
};

bool IsTransientLock(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool ReadWholeFile(const char* name, std::string& out) {
    FileHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD high = 0;
    DWORD low = GetFileSize(file.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    if (high != 0) return false;  // Over 4 GiB is no configuration file.
    out.assign(low, '\0');
    DWORD total = 0;
    while (total < low) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), &out[total], low - total, &got, nullptr)) return false;
        if (got == 0) break;  // The file shrank while being read.
        total += got;
    }
    out.resize(total);
    return true;
}

std::string TemporaryNameFor(const char* name) {
    return std::string(name) + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

bool ReplaceFileContents(const char* name, const char* data, std::size_t size) {
    std::string temp = TemporaryNameFor(name);
    {
        FileHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        bool ok = true;
        while (ok && size > 0) {
            DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            ok = WriteFile(file.Get(), data, chunk, &written, nullptr) && written == chunk;
            data += written;
            size -= written;
        }
        ok = ok && FlushFileBuffers(file.Get());
        ok = file.Close() && ok;
        if (!ok) {
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    // Another process reading the file (a launcher starting up) blocks the
    // rename for a moment: try again for about two seconds.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExA(temp.c_str(), name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt >= 40 || !IsTransientLock(GetLastError())) break;
        Sleep(50);
    }
    DeleteFileA(temp.c_str());
    return false;
}

bool FileExists(const char* name) {
    DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ShowMessage(const char* text, const char* caption) {
    if (DeliverToSink(text, caption)) return;
    MessageBoxA(nullptr, text, caption, MB_OK);
}

}  // namespace platform
