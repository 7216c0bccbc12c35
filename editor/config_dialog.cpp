#include "editor/config_dialog.h"

#include <memory>

#include "config/config_file.h"
#include "config/errors.h"
#include "config/heap_text.h"
#include "editor/record_values.h"
#include "resources/resource_ids.h"

using framework::TEnableState;

char DayNames[kDayCount][kDayNameSize];

namespace {

constexpr DWORD kAddFileFlags =
    0x806;  // OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST
constexpr const char* kAddFileFilter = "Applications (*.exe)|*.exe|Batch files (*.bat)|*.bat|";
constexpr const char* kAddFileDir = "C:\\windows\\";
// The system appends the first three characters, ".exe", to a name typed without one.
constexpr const char* kAddFileExt = "exe|bat";

constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowMinimized = 2;
constexpr int32_t kShowMaximized = 3;
constexpr uint16_t kWeekends = 1;
constexpr uint16_t kWorkdays = 2;

}  // namespace

// Enter (IDOK) does what the OK button does; Escape (IDCANCEL) is left to
// TDialog, which ends the dialog without saving.
const framework::TEventRow<CTrellisbourneConfigDlg> CTrellisbourneConfigDlg::kEvents[] = {
    {IDC_APPLIST, LBN_SELCHANGE, &CTrellisbourneConfigDlg::ShowSelectedRecord},
    {IDC_OK, BN_CLICKED, &CTrellisbourneConfigDlg::Ok},
    {IDOK, BN_CLICKED, &CTrellisbourneConfigDlg::Ok},
    {IDC_CANCEL, BN_CLICKED, &CTrellisbourneConfigDlg::Cancel},
    {IDC_APPLY, BN_CLICKED, &CTrellisbourneConfigDlg::Apply},
    {IDC_ADD, BN_CLICKED, &CTrellisbourneConfigDlg::AddApp},
    {IDC_REMOVE, BN_CLICKED, &CTrellisbourneConfigDlg::RemoveApp},
    {IDC_NORMAL, BN_CLICKED, &CTrellisbourneConfigDlg::NormalClicked},
    {IDC_MINIMIZED, BN_CLICKED, &CTrellisbourneConfigDlg::MinimizedClicked},
    {IDC_MAXIMIZED, BN_CLICKED, &CTrellisbourneConfigDlg::MaximizedClicked},
    {IDC_DELAY, EN_CHANGE, &CTrellisbourneConfigDlg::DelayChanged},
    {IDC_DELAY_SCROLL, SB_LINEUP, &CTrellisbourneConfigDlg::DelayUp},
    {IDC_DELAY_SCROLL, SB_LINEDOWN, &CTrellisbourneConfigDlg::DelayDown},
    {IDC_WORKWEEK_ENABLE, BN_CLICKED, &CTrellisbourneConfigDlg::WorkWeekEnableClicked},
    {IDC_WORKDAYS, BN_CLICKED, &CTrellisbourneConfigDlg::WorkdaysClicked},
    {IDC_WEEKENDS, BN_CLICKED, &CTrellisbourneConfigDlg::WeekendsClicked},
    {IDC_DOW_ENABLE, BN_CLICKED, &CTrellisbourneConfigDlg::DowEnableClicked},
    {IDC_DAYS, CBN_SELCHANGE, &CTrellisbourneConfigDlg::DaySelected},
    {IDC_DOM_ENABLE, BN_CLICKED, &CTrellisbourneConfigDlg::DomEnableClicked},
    {IDC_DOM, EN_CHANGE, &CTrellisbourneConfigDlg::DomChanged},
    {IDC_DOM_SCROLL, SB_LINEUP, &CTrellisbourneConfigDlg::DomUp},
    {IDC_DOM_SCROLL, SB_LINEDOWN, &CTrellisbourneConfigDlg::DomDown},
};

// IDC_DOM_SCROLL is also the ID of the frame around the day-of-week rule: the rule reaches both.
const framework::TEnableRule<CTrellisbourneConfigDlg> CTrellisbourneConfigDlg::kEnableRules[] = {
    {IDC_APPLY, &CTrellisbourneConfigDlg::IsModified},
    {IDC_REMOVE, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_NORMAL, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_MINIMIZED, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_MAXIMIZED, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_DELAY, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_DELAY_SCROLL, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_WORKWEEK_ENABLE, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_DOW_ENABLE, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_DOM_ENABLE, &CTrellisbourneConfigDlg::HasSelection},
    {IDC_WEEKENDS, &CTrellisbourneConfigDlg::RuleOn<&SAppData::WorkWeekEnable>},
    {IDC_WORKDAYS, &CTrellisbourneConfigDlg::RuleOn<&SAppData::WorkWeekEnable>},
    {IDC_DAYS, &CTrellisbourneConfigDlg::RuleOn<&SAppData::DOWEnable>},
    {IDC_DOM, &CTrellisbourneConfigDlg::RuleOn<&SAppData::DOMEnable>},
    {IDC_DOM_SCROLL, &CTrellisbourneConfigDlg::RuleOn<&SAppData::DOMEnable>},
};

CTrellisbourneConfigDlg::CTrellisbourneConfigDlg(framework::TWindow* parent, HINSTANCE module)
    : TDialog(parent, IDD_CONFIG, module),
      appList_(this, IDC_APPLIST),
      days_(this, IDC_DAYS),
      weekends_(this, IDC_WEEKENDS),
      workdays_(this, IDC_WORKDAYS),
      normal_(this, IDC_NORMAL),
      maximized_(this, IDC_MAXIMIZED),
      minimized_(this, IDC_MINIMIZED),
      workWeekEnable_(this, IDC_WORKWEEK_ENABLE),
      dowEnable_(this, IDC_DOW_ENABLE),
      domEnable_(this, IDC_DOM_ENABLE),
      delay_(this, IDC_DELAY),
      dom_(this, IDC_DOM),
      fileData_(kAddFileFlags, kAddFileFilter, kAddFileDir, kAddFileExt) {
    // The control objects touch no window yet, so loading here is as early as
    // loading before them: any parsing report still comes before any window.
    LoadConfig();
    for (int i = 0; i < kDayCount; ++i) {
        LoadStringA(GetModule(), IDS_DAY_FIRST + i, textBuffer_, kDayNameSize - 1);
        lstrcpynA(DayNames[i], textBuffer_, kDayNameSize);
    }
    LoadStringA(GetModule(), IDS_ADD_TITLE, fileTitle_, 31);
    fileDialog_ = std::make_unique<framework::TFileOpenDialog>(this, fileData_, fileTitle_);
}

CTrellisbourneConfigDlg::~CTrellisbourneConfigDlg() = default;

void CTrellisbourneConfigDlg::SetupWindow() {
    TDialog::SetupWindow();
    for (const char* name : DayNames) days_.AddString(name);
    if (!AppList) return;
    for (uint32_t i = 0; i < AppList->Count(); ++i)
        appList_.AddString(AppList->Item(i)->path.get());
}

bool CTrellisbourneConfigDlg::DispatchEvent(uint32_t id, uint32_t code) {
    return framework::DispatchEvent(*this, kEvents, id, code) || TDialog::DispatchEvent(id, code);
}

TEnableState CTrellisbourneConfigDlg::EnableStateFor(uint32_t id) const {
    return framework::EnableStateFor(*this, kEnableRules, id);
}

SAppData* CTrellisbourneConfigDlg::SelectedRecord() const {
    // AppList is gone once OK or Cancel has released it.
    if (!AppList) return nullptr;
    const int index = appList_.GetSelIndex();
    return index < 0 ? nullptr : AppList->Item(static_cast<uint32_t>(index));
}

void CTrellisbourneConfigDlg::SetNumberText(const framework::TEdit& box, uint16_t value) {
    // The box reports the change at once, so its handling runs before this returns.
    char text[16];
    wsprintfA(text, "%i", static_cast<int>(value));
    box.SetText(text);
}

void CTrellisbourneConfigDlg::ShowSelectedRecord() {
    SAppData* record = SelectedRecord();
    if (!record) return;
    const framework::TRadioButton* const showButtons[] = {&normal_, &minimized_, &maximized_};
    const framework::TRadioButton* shown = nullptr;
    switch (record->nCmdShow) {
        case kShowNormal:
            shown = &normal_;
            break;
        case kShowMinimized:
            shown = &minimized_;
            break;
        case kShowMaximized:
            shown = &maximized_;
            break;
    }
    // A show command the buttons do not offer leaves them as they are.
    if (shown) {
        for (const framework::TRadioButton* button : showButtons) button->SetCheck(button == shown);
    }
    SetNumberText(delay_, record->Delay);
    workWeekEnable_.SetCheck(record->WorkWeekEnable != 0);
    // So does a work-week value other than weekends or workdays.
    if (record->WorkWeek == kWeekends || record->WorkWeek == kWorkdays) {
        weekends_.SetCheck(record->WorkWeek == kWeekends);
        workdays_.SetCheck(record->WorkWeek == kWorkdays);
    }
    dowEnable_.SetCheck(record->DOWEnable != 0);
    // A day above Saturday leaves the combo box without a selection.
    days_.SetSelIndex(record->DOW);
    domEnable_.SetCheck(record->DOMEnable != 0);
    SetNumberText(dom_, record->DOM);
}

template <typename Edit>
void CTrellisbourneConfigDlg::EditSelected(Edit edit) {
    SAppData* record = SelectedRecord();
    if (!record) return;
    edit(*record);
    modified_ = true;
}

void CTrellisbourneConfigDlg::NumberBoxChanged(const framework::TEdit& box,
                                               uint16_t SAppData::*field, int32_t low,
                                               int32_t high) {
    EditSelected([&](SAppData& record) {
        box.GetText(textBuffer_, editor::kBoxChars + 1);
        const editor::SClamped value = editor::Clamp(editor::BoxValue(textBuffer_), low, high);
        // Rewriting the text runs this handling once more, now in range.
        if (value.rewrite) SetNumberText(box, value.value);
        record.*field = value.value;
    });
}

void CTrellisbourneConfigDlg::StepNumber(const framework::TEdit& box, uint16_t SAppData::*field,
                                         uint16_t (*step)(uint16_t)) {
    EditSelected([&](SAppData& record) {
        record.*field = step(record.*field);
        SetNumberText(box, record.*field);
    });
}

void CTrellisbourneConfigDlg::DelayChanged() {
    NumberBoxChanged(delay_, &SAppData::Delay, editor::kDelayMin, editor::kDelayMax);
}
void CTrellisbourneConfigDlg::DomChanged() {
    NumberBoxChanged(dom_, &SAppData::DOM, editor::kDomMin, editor::kDomMax);
}
void CTrellisbourneConfigDlg::DelayUp() { StepNumber(delay_, &SAppData::Delay, editor::DelayStepUp); }
void CTrellisbourneConfigDlg::DelayDown() {
    StepNumber(delay_, &SAppData::Delay, editor::DelayStepDown);
}
void CTrellisbourneConfigDlg::DomUp() { StepNumber(dom_, &SAppData::DOM, editor::DomStepUp); }
void CTrellisbourneConfigDlg::DomDown() { StepNumber(dom_, &SAppData::DOM, editor::DomStepDown); }

void CTrellisbourneConfigDlg::AddApp() {
    // A full list takes no more records: the file dialog is not even offered.
    if (!AppList || AppList->Full()) return;
    if (fileDialog_->Execute() != IDOK) return;
    modified_ = true;
    auto record = std::make_unique<SAppData>();
    record->path.reset(HeapCopy(fileData_.FileName));
    record->nCmdShow = kShowNormal;
    record->Delay = 0;
    record->WorkWeekEnable = 0;
    record->WorkWeek = kWorkdays;
    record->DOWEnable = 0;
    record->DOW = 1;  // Monday
    record->DOMEnable = 0;
    record->DOM = 1;
    SAppData* added = AppList->Append(std::move(record));
    if (added) appList_.AddString(added->path.get());
}

void CTrellisbourneConfigDlg::RemoveApp() {
    if (!AppList) return;
    const int index = appList_.GetSelIndex();
    if (index < 0) return;
    modified_ = true;
    appList_.DeleteString(index);
    // The record leaves the list and is released here, with its path.
    AppList->Remove(static_cast<uint32_t>(index));
}

bool CTrellisbourneConfigDlg::Save() {
    try {
        SaveConfig();
        return true;
    } catch (const CFileError& error) {
        // The list and its changes stay, so the user can try again or cancel.
        error.Show();
        return false;
    }
}

void CTrellisbourneConfigDlg::Apply() {
    if (Save()) modified_ = false;
}

void CTrellisbourneConfigDlg::Ok() {
    if (!Save()) return;
    FreeAppList();
    Destroy();
}

void CTrellisbourneConfigDlg::Cancel() {
    FreeAppList();
    Destroy();
}

void CTrellisbourneConfigDlg::SetShowCommand(const framework::TRadioButton& button, int32_t value) {
    // The change counts even when the click left the button unchecked.
    EditSelected([&](SAppData& record) {
        if (button.IsChecked()) record.nCmdShow = value;
    });
}

void CTrellisbourneConfigDlg::SetFlag(uint8_t SAppData::*flag, const framework::TCheckBox& box) {
    EditSelected([&](SAppData& record) { record.*flag = box.IsChecked() ? 1 : 0; });
}

void CTrellisbourneConfigDlg::NormalClicked() { SetShowCommand(normal_, kShowNormal); }
void CTrellisbourneConfigDlg::MinimizedClicked() { SetShowCommand(minimized_, kShowMinimized); }
void CTrellisbourneConfigDlg::MaximizedClicked() { SetShowCommand(maximized_, kShowMaximized); }

void CTrellisbourneConfigDlg::WorkWeekEnableClicked() {
    SetFlag(&SAppData::WorkWeekEnable, workWeekEnable_);
}
void CTrellisbourneConfigDlg::DowEnableClicked() { SetFlag(&SAppData::DOWEnable, dowEnable_); }
void CTrellisbourneConfigDlg::DomEnableClicked() { SetFlag(&SAppData::DOMEnable, domEnable_); }

void CTrellisbourneConfigDlg::WorkdaysClicked() {
    EditSelected([&](SAppData& record) {
        record.WorkWeek = workdays_.IsChecked() ? kWorkdays : kWeekends;
    });
}

void CTrellisbourneConfigDlg::WeekendsClicked() {
    EditSelected([&](SAppData& record) {
        record.WorkWeek = weekends_.IsChecked() ? kWeekends : kWorkdays;
    });
}

void CTrellisbourneConfigDlg::DaySelected() {
    EditSelected([&](SAppData& record) {
        const int day = days_.GetSelIndex();
        if (day >= 0) record.DOW = static_cast<uint16_t>(day);
    });
}
