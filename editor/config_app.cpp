#include "editor/config_app.h"

#include "editor/config_dialog.h"
#include "resources/resource_ids.h"

namespace {

// WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX: no maximize box, no sizing
// border.
constexpr DWORD kFrameStyle = 0x90CA0000;

}  // namespace

void CTrellisbourneConfigApp::InitMainWindow() {
    // The dialog loads the configuration as it is made, so any report about
    // the file is shown before any editor window exists.
    dialog_ = new CTrellisbourneConfigDlg(nullptr, GetInstance());
    frame_ = new framework::TFrameWindow(nullptr, kEditorTitle, dialog_, true, GetInstance());
    frame_->SetIcon(GetInstance(), IDI_TRELLISBOURNE);
    frame_->SetIconSm(GetInstance(), IDI_TRELLISBOURNE);
    frame_->Attr().exStyle = 0;
    frame_->Attr().style = kFrameStyle;
    SetMainWindow(frame_);
}
