#include "editor/record_values.h"

namespace editor {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t BoxValue(const char* text) {
    int i = 0;
    while (i < kBoxChars && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < kBoxChars && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int32_t value = 0;
    for (; i < kBoxChars && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

SClamped Clamp(int32_t value, int32_t low, int32_t high) {
    if (value < low) return {static_cast<uint16_t>(low), true};
    if (value > high) return {static_cast<uint16_t>(high), true};
    return {static_cast<uint16_t>(value), false};
}

uint16_t DelayStepUp(uint16_t delay) {
    return delay > kDelayMax - kDelayStep ? kDelayMax : static_cast<uint16_t>(delay + kDelayStep);
}

uint16_t DelayStepDown(uint16_t delay) {
    return delay < kDelayStep ? kDelayMin : static_cast<uint16_t>(delay - kDelayStep);
}

uint16_t DomStepUp(uint16_t dom) {
    return dom < kDomMax ? static_cast<uint16_t>(dom + 1) : dom;
}

uint16_t DomStepDown(uint16_t dom) {
    return dom > kDomMin ? static_cast<uint16_t>(dom - 1) : dom;
}

}  // namespace editor
