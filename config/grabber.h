// CGrabber strips unwanted bytes from a text and splits it at separator bytes.
//
// Segment walk, shared by CountSegments, Strip and Split: from p = 0, while p
// is below the text's length, the run of non-member bytes at p is one segment
// and the walk continues past the run and the one member that ended it. So an
// empty text has no segments, a trailing member adds no empty segment, two
// members in a row enclose an empty one, and a leading member starts with one.
//
// A byte set is a NUL-terminated text whose bytes are its members; NUL is
// never a member. Both sets start as "dummy".
#pragma once

#include <cstddef>

std::size_t CountSegments(const char* text, const char* set);
// Length + 1 - CountSegments: the bytes Strip keeps, plus one when the text is
// empty or ends with a member. Strip sizes its result with it.
std::size_t CountKeptChars(const char* text, const char* set);

class CGrabber {
public:
    CGrabber();
    ~CGrabber();
    CGrabber(const CGrabber&) = delete;
    CGrabber& operator=(const CGrabber&) = delete;

    void SetStripChars(const char* chars);
    void SetSeparators(const char* chars);

    // Takes over the heap text `text`, releases it, and returns a new heap text
    // without any byte of the strip set.
    char* Strip(char* text) const;

    // Returns a new array of new heap texts, one per segment, ended by a null
    // pointer. `text` is left as it was. Release with FreeSplit.
    char** Split(const char* text) const;

private:
    char* stripChars;
    char* separators;
};

// Releases every text of a Split result and then the array.
void FreeSplit(char** lines);
