// trellisbourne.ini: the one configuration file, in the Windows directory (or
// the current directory when there is none).
//
// Written as single-byte text with CR LF line ends:
//
//   //****************************************      banner: six lines of 42
//   //*                                      *      characters + CR LF,
//   //*       Trellisbourne - INI file       *      264 bytes in all
//   //*    Edit it with Trellisbourne.exe    *
//   //*                                      *
//   //****************************************
//   (empty line)
//   then per record:  (empty line)
//                     [path]
//                     nCmdShow=N   Delay=N   DOWEnable=0|1   DOW=N
//                     DOMEnable=0|1   DOM=N   WorkWeekEnable=0|1   WorkWeek=N
//
// Reading discards every CR, TAB and NUL byte, splits at LF and dispatches each
// line by the first keyword that begins it, letters in any case:
// "nCmdShow=", "Delay=", "WorkWeekEnable=", "WorkWeek=", "DOWEnable=", "DOW=",
// "DOMEnable=", "DOM=", "[" (a new record: the line less its first and last
// byte is the path) and "//" (a comment). Numbers are decimal after optional
// white space and sign, wrapping to the field's width; a flag is 1 exactly
// when its value starts with "1". Keys apply to the latest record; keys before
// the first section, and the sections (with their keys) past the list's 65535
// records, are ignored. Any other non-empty line is reported with its number.
#pragma once

#include <string>

#include "config/app_data.h"

extern const char kConfigBanner[];  // the six banner lines and the empty line after them

// The full name of the configuration file.
std::string ConfigFileName();

// Appends the records described by `text` to `list`, reporting unrecognised lines.
void ReadConfigText(CAppList& list, const char* text);

// The whole file content for `list`.
std::string WriteConfigText(const CAppList& list);

// Creates AppList (releasing any earlier one) and fills it from the file; a
// missing or unreadable file leaves it empty without a word.
void LoadConfig();

// Writes AppList to the file, replacing it atomically. Throws CFileError (code
// 0, the file name) when the file cannot be written; the old file then stays
// as it was. The name stays valid until the next SaveConfig.
void SaveConfig();

// Releases AppList with every record and its path; AppList becomes null.
void FreeAppList();
