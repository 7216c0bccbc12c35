#include "editor/run_editor.h"

#include <memory>

#include "editor/config_app.h"

int RunEditor(HINSTANCE instance, HINSTANCE previous, const char* commandTail, int showCommand) {
    auto app = std::make_unique<CTrellisbourneConfigApp>("Trellisbourne", instance, previous,
                                                         commandTail, showCommand);
    return app->Run();
}
