// CCodes hands a line to the callback of the first keyword that begins it.
//
// Keywords are compared byte by byte over their own length, ASCII letters
// without regard to case; the first keyword added wins where one begins
// another. An empty line is skipped; a line that no keyword begins is reported
// as a parsing error (code 50, with its line number) and otherwise ignored.
// The table refers to the caller's keyword texts and never copies them.
#pragma once

#include <cstdint>

// The callback gets the context given to the table and the whole line, which
// it may change. Its result is not used.
using CodeCallback = int32_t (*)(void* context, char* line);

class CCodes {
public:
    static constexpr int kCapacity = 300;

    explicit CCodes(void* context = nullptr);
    ~CCodes();
    CCodes(const CCodes&) = delete;
    CCodes& operator=(const CCodes&) = delete;

    // The new entry's index, or -1 when the table is full.
    int32_t AddCode(const char* keyword, CodeCallback callback);

    // 1 when the line was empty or went to a callback, 0 when it was reported.
    int32_t Execute(char* line, int32_t lineNumber);

    int Count() const { return last + 1; }

private:
    int16_t last = -1;
    const char** keywords;
    CodeCallback* callbacks;
    void* context_;
};
