#include "config/codes.h"

#include "config/errors.h"

namespace {

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool BeginsWith(const char* line, const char* keyword) {
    for (; *keyword; ++line, ++keyword) {
        if (*line == '\0' || FoldCase(*line) != FoldCase(*keyword)) return false;
    }
    return true;
}

}  // namespace

CCodes::CCodes(void* context)
    : keywords(new const char*[kCapacity]), callbacks(new CodeCallback[kCapacity]), context_(context) {}

CCodes::~CCodes() {
    delete[] keywords;
    delete[] callbacks;
}

int32_t CCodes::AddCode(const char* keyword, CodeCallback callback) {
    if (last + 1 >= kCapacity) return -1;
    ++last;
    keywords[last] = keyword;
    callbacks[last] = callback;
    return last;
}

int32_t CCodes::Execute(char* line, int32_t lineNumber) {
    if (line[0] == '\0') return 1;
    try {
        for (int i = 0; i <= last; ++i) {
            if (BeginsWith(line, keywords[i])) {
                callbacks[i](context_, line);
                return 1;
            }
        }
        throw CParsingError(50, lineNumber);
    } catch (CParsingError& error) {
        error.Show();
        return 0;
    }
}
