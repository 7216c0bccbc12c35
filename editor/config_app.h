// CTrellisbourneConfigApp: the configuration editor, a frame window titled
// "Trellisbourne" around the configuration dialog. The frame closes itself
// when the dialog ends, which ends the message loop and the run.
#pragma once

#include <windows.h>

#include "framework/application.h"
#include "framework/frame_window.h"

class CTrellisbourneConfigDlg;

// The frame's title, by which a second editor also finds the first.
constexpr char kEditorTitle[] = "Trellisbourne";

class CTrellisbourneConfigApp : public framework::TApplication {
public:
    using TApplication::TApplication;
    ~CTrellisbourneConfigApp() override = default;

protected:
    void InitMainWindow() override;

private:
    // Only references: the application base owns the frame, the frame its client dialog.
    framework::TFrameWindow* frame_ = nullptr;
    CTrellisbourneConfigDlg* dialog_ = nullptr;
};
