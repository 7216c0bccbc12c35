// Opens the configuration editor: this same program started without arguments.
#pragma once

void StartEditor();
