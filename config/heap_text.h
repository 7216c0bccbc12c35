// Heap texts: NUL-terminated byte strings, each in its own block with one owner.
// The parser's C-style interfaces hand raw `char*` across; inside our own code
// a HeapText holds them so that every block is released exactly once.
#pragma once

#include <cstddef>
#include <memory>

char* NewHeapText(std::size_t length);  // length + 1 bytes, the last one NUL
char* HeapCopy(const char* text);
char* HeapCopy(const char* text, std::size_t length);
void FreeHeapText(char* text);

struct HeapTextDeleter {
    void operator()(char* text) const { FreeHeapText(text); }
};
using HeapText = std::unique_ptr<char, HeapTextDeleter>;
