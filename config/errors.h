// The configuration store's two failures, raised by value and caught by
// reference; whoever catches one calls Show, which puts up one message box
// with no owner, only an OK button, a text chosen by the code and a caption
// naming the kind of error.
#pragma once

#include <cstdint>
#include <string>

class CFileError {
public:
    // `fileName` is the raiser's text, not copied: it must outlive the report.
    CFileError(uint16_t code, const char* fileName) : code(code), fileName(fileName) {}

    std::string Text() const;
    static const char* Caption() { return "FileError"; }
    void Show() const;

    uint16_t code;
    const char* fileName;
};

class CParsingError {
public:
    CParsingError(uint16_t code, int32_t line, int32_t extra) : code(code), line(line), extra(extra) {}
    CParsingError(uint16_t code, int32_t line) : code(code), line(line) {}
    explicit CParsingError(uint16_t code) : code(code) {}

    // The (code, extra) form: a tag picks it, since both forms take two numbers.
    struct ExtraOnly {};
    CParsingError(uint16_t code, ExtraOnly, int32_t extra) : code(code), extra(extra) {}

    std::string Text() const;
    static const char* Caption() { return "ParsingError"; }
    void Show() const;

    uint16_t code;
    int32_t line = 0;
    int32_t extra = 0;
};
