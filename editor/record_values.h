// The value rules of the editor's number boxes and arrow steps, on plain
// values: the delay box holds 0..300 seconds, the day-of-month box 1..31.
#pragma once

#include <cstdint>

namespace editor {

constexpr int32_t kDelayMin = 0;
constexpr int32_t kDelayMax = 300;
constexpr int32_t kDelayStep = 5;
constexpr int32_t kDomMin = 1;
constexpr int32_t kDomMax = 31;
// A box is judged by its first nine characters, which always fit an int32_t.
constexpr int kBoxChars = 9;

// Leading white space, an optional sign, then decimal digits up to the first
// non-digit; no digits give 0. Reads at most kBoxChars characters.
int32_t BoxValue(const char* text);

struct SClamped {
    uint16_t value;
    bool rewrite;  // out of range: the box's text becomes `value`
};
SClamped Clamp(int32_t value, int32_t low, int32_t high);

uint16_t DelayStepUp(uint16_t delay);
uint16_t DelayStepDown(uint16_t delay);
uint16_t DomStepUp(uint16_t dom);
uint16_t DomStepDown(uint16_t dom);

}  // namespace editor
