#include "editor/run_editor.h"

int RunEditor(HINSTANCE, HINSTANCE, const char*, int) { return 0; }
