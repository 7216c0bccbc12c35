#include "editor/run_editor.h"

#include <memory>

#include "editor/config_app.h"
#include "editor/running_editor_win.h"
#include "platform/single_instance.h"

int RunEditor(HINSTANCE instance, HINSTANCE previous, const char* commandTail, int showCommand) {
    // Two editors would each save their own copy of the list, the later undoing
    // the earlier: a second one shows the first instead, before reading the file.
    platform::SessionInstance editorInstance(platform::kEditorInstanceName);
    if (!editorInstance.First()) {
        BringRunningEditorForward();
        return 0;
    }
    auto app = std::make_unique<CTrellisbourneConfigApp>("Trellisbourne", instance, previous,
                                                         commandTail, showCommand);
    return app->Run();
}
