#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/message_sink.h"
#include "platform/platform.h"

namespace platform {

std::string WindowsDirectory() { return std::string(); }

bool ReadWholeFile(const char* name, std::string& out) {
    int fd = open(name, O_RDONLY);
    if (fd < 0) return false;
    out.clear();
    char chunk[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        out.append(chunk, static_cast<std::size_t>(n));
    }
    close(fd);
    return ok;
}

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string TemporaryNameFor(const char* name) {
    return std::string(name) + "." + std::to_string(getpid()) + ".tmp";
}

bool ReplaceFileContents(const char* name, const char* data, std::size_t size) {
    std::string temp = TemporaryNameFor(name);
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok && rename(temp.c_str(), name) == 0) return true;
    unlink(temp.c_str());
    return false;
}

bool FileExists(const char* name) {
    struct stat st;
    return stat(name, &st) == 0 && S_ISREG(st.st_mode);
}

void ShowMessage(const char* text, const char* caption) {
    if (DeliverToSink(text, caption)) return;
    std::fprintf(stderr, "[%s] %s\n", caption, text);
}

}  // namespace platform
