// The configuration editor, run when the program starts without a command tail.
#pragma once

#include <windows.h>

int RunEditor(HINSTANCE instance, HINSTANCE previous, const char* commandTail, int showCommand);
