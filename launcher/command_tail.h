// The command tail: the process command line without the program's own name.
//
// Leading spaces and TABs are skipped. A name that begins with a double quote
// runs up to the next double quote, TAB or end, and a closing quote there is
// skipped; an unquoted name runs up to the first space, TAB or end. The spaces
// and TABs after the name are skipped, and what is left is the tail.
//
// These rules differ from the C runtime's own (a TAB inside a quoted name ends
// it here), so the tail is computed from the raw command line.
#pragma once

// A pointer into `commandLine` (or to an empty text when it is null).
const char* CommandTail(const char* commandLine);
