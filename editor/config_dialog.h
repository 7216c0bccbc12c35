// CTrellisbourneConfigDlg: the editor's whole user interface, on dialog
// template 1. It lists the paths of AppList and edits the selected record in
// place: every control change is written into the record at once; Apply and
// OK write the whole list to the configuration file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "config/app_data.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/open_save_dialog.h"

// Day-of-week value i is named by entry i (0 = Sunday), from string 1000 + i.
constexpr int kDayCount = 7;
constexpr int kDayNameSize = 20;
extern char DayNames[kDayCount][kDayNameSize];

class CTrellisbourneConfigDlg : public framework::TDialog {
public:
    // Loads the configuration (its parsing reports appear now, before any
    // window) and prepares the controls and the file-open dialog.
    explicit CTrellisbourneConfigDlg(framework::TWindow* parent = nullptr,
                                     HINSTANCE module = nullptr);
    ~CTrellisbourneConfigDlg() override;

    bool IsModified() const { return modified_; }

protected:
    void SetupWindow() override;
    bool DispatchEvent(uint32_t id, uint32_t code) override;
    framework::TEnableState EnableStateFor(uint32_t id) const override;

private:
    static const framework::TEventRow<CTrellisbourneConfigDlg> kEvents[];
    static const framework::TEnableRule<CTrellisbourneConfigDlg> kEnableRules[];

    // The record at the list's selected position, or null.
    SAppData* SelectedRecord() const;

    void ShowSelectedRecord();
    void DelayChanged();
    void DomChanged();
    void DelayUp();
    void DelayDown();
    void DomUp();
    void DomDown();
    void AddApp();
    void RemoveApp();
    // SaveConfig, reporting a failure; true when the file was written.
    bool Save();
    void Apply();
    void Ok();
    void Cancel();
    void NormalClicked();
    void MinimizedClicked();
    void MaximizedClicked();
    void WorkWeekEnableClicked();
    void WorkdaysClicked();
    void WeekendsClicked();
    void DowEnableClicked();
    void DaySelected();
    void DomEnableClicked();

    // Runs `edit` on the selected record and counts it as a change; without a
    // selection nothing happens.
    template <typename Edit>
    void EditSelected(Edit edit);
    void SetShowCommand(const framework::TRadioButton& button, int32_t value);
    void SetFlag(uint8_t SAppData::*flag, const framework::TCheckBox& box);
    void NumberBoxChanged(const framework::TEdit& box, uint16_t SAppData::*field, int32_t low,
                          int32_t high);
    void StepNumber(const framework::TEdit& box, uint16_t SAppData::*field,
                    uint16_t (*step)(uint16_t));
    void SetNumberText(const framework::TEdit& box, uint16_t value);

    bool HasSelection() const { return SelectedRecord() != nullptr; }
    // Whether the selected record has the rule switch `Flag` on.
    template <uint8_t SAppData::*Flag>
    bool RuleOn() const {
        const SAppData* record = SelectedRecord();
        return record && record->*Flag;
    }

    framework::TListBox appList_;
    framework::TComboBox days_;
    framework::TRadioButton weekends_;
    framework::TRadioButton workdays_;
    framework::TRadioButton normal_;
    framework::TRadioButton maximized_;
    framework::TRadioButton minimized_;
    framework::TCheckBox workWeekEnable_;
    framework::TCheckBox dowEnable_;
    framework::TCheckBox domEnable_;
    framework::TEdit delay_;
    framework::TEdit dom_;

    bool modified_ = false;
    char textBuffer_[256] = {};
    framework::TOpenSaveDialog::TData fileData_;
    char fileTitle_[64] = {};
    std::unique_ptr<framework::TFileOpenDialog> fileDialog_;
};
