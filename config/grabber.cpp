#include "config/grabber.h"

#include <cstring>

#include "config/heap_text.h"

namespace {

// Length of the run at `p` that holds no member of `set`.
std::size_t RunLength(const char* p, const char* set) { return std::strcspn(p, set); }

}  // namespace

std::size_t CountSegments(const char* text, const char* set) {
    std::size_t length = std::strlen(text);
    std::size_t segments = 0;
    for (std::size_t p = 0; p < length; p += RunLength(text + p, set) + 1) ++segments;
    return segments;
}

std::size_t CountKeptChars(const char* text, const char* set) {
    return std::strlen(text) + 1 - CountSegments(text, set);
}

CGrabber::CGrabber() : stripChars(HeapCopy("dummy")), separators(HeapCopy("dummy")) {}

CGrabber::~CGrabber() {
    FreeHeapText(stripChars);
    FreeHeapText(separators);
}

void CGrabber::SetStripChars(const char* chars) {
    char* copy = HeapCopy(chars);
    FreeHeapText(stripChars);
    stripChars = copy;
}

void CGrabber::SetSeparators(const char* chars) {
    char* copy = HeapCopy(chars);
    FreeHeapText(separators);
    separators = copy;
}

char* CGrabber::Strip(char* text) const {
    HeapText input(text);
    std::size_t length = std::strlen(text);
    // CountKeptChars may count one byte more than is kept; the result block is
    // sized for it and the NUL goes after what was really copied.
    char* out = NewHeapText(CountKeptChars(text, stripChars));
    std::size_t n = 0;
    for (std::size_t p = 0; p < length;) {
        std::size_t s = RunLength(text + p, stripChars);
        if (s == 0) {
            ++p;
            continue;
        }
        std::memcpy(out + n, text + p, s);
        n += s;
        p += s + 1;
    }
    out[n] = '\0';
    return out;
}

char** CGrabber::Split(const char* text) const {
    std::size_t length = std::strlen(text);
    std::size_t k = CountSegments(text, separators);
    char** lines = new char*[k + 1];
    std::size_t i = 0;
    for (std::size_t p = 0; i < k && p < length; ++i) {
        std::size_t s = RunLength(text + p, separators);
        lines[i] = HeapCopy(text + p, s);
        p += s + 1;
    }
    lines[i] = nullptr;
    return lines;
}

void FreeSplit(char** lines) {
    if (!lines) return;
    for (char** line = lines; *line; ++line) FreeHeapText(*line);
    delete[] lines;
}
