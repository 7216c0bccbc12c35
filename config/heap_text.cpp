#include "config/heap_text.h"

#include <cstring>

char* NewHeapText(std::size_t length) {
    char* text = new char[length + 1];
    text[length] = '\0';
    return text;
}

char* HeapCopy(const char* text, std::size_t length) {
    char* copy = NewHeapText(length);
    std::memcpy(copy, text, length);
    return copy;
}

char* HeapCopy(const char* text) { return HeapCopy(text, std::strlen(text)); }

void FreeHeapText(char* text) { delete[] text; }
