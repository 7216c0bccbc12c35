// The command lines the launcher hands to WinExec.
//
// WinExec treats an unquoted command line with blanks as a program name
// followed by arguments and tries each blank-separated prefix in turn
// ("C:\Program.exe" first). A stored path that names an existing file and
// contains a blank is therefore quoted; any other path (a command line with
// arguments, a name found on the search path, one already quoted) is passed
// exactly as stored.
#pragma once

#include <functional>
#include <string>

using FileExistsCheck = std::function<bool(const char* name)>;

std::string LaunchCommand(const char* path, const FileExistsCheck& fileExists);

// The command line that opens the editor: this program's own full path,
// quoted, and no arguments. Empty without a known path: a search for the bare
// program name could start another program of that name.
std::string EditorCommand(const std::string& programPath);
