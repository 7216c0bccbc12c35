// Brings the session's running editor forward for a second editor, which then
// ends without opening a window of its own.
#pragma once

// Restores the running editor's frame if it is minimised and brings forward
// its window that waits for the user (see WindowToFront). Does nothing when
// that editor has no frame yet: it is still reading the file or reporting on it.
void BringRunningEditorForward();
