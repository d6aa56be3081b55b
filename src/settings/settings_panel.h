#pragma once

#include <windows.h>

#include "controls/segment_bar.h"
#include "controls/skin_combo_box.h"
#include "controls/skin_group_box.h"
#include "controls/skin_label.h"
#include "controls/skin_list_box.h"
#include "engine/cell_contents.h"
#include "engine/output_settings.h"
#include "engine/profile_list.h"
#include "settings/profile_setting.h"

// The right half of the main window: the device tab bar, the iPod family's
// profile and nine setting combos, and the other families' description,
// profile list and 3GP type. It keeps no state of its own: every choice is the
// current selection of one of its controls, read when a command is built.
//
// The panel never looks at the run: the main window ignores its handlers while
// a conversion runs. Selections made here by the program never notify.
class CSettingsPanel : public IOutputSettings, public IProfilePanel {
public:
    // Attaches the panel's controls of the main window, fills the combos with
    // their items and moves everything to its place.
    void SetUp(HWND dialog);

    void SwitchDeviceFamily(int tab);
    // Tab 0, the iPod family, and every combo at its default item.
    void Reset();
    // What the window starts with: tab 0 and the combos' defaults, and over
    // them the iPod profile file's default profile ("Profile setting" shows
    // it, the setting combos its values). The file is read once.
    void ShowStartingSettings();
    void Enable(bool enable);
    // Puts the tab bar back on a tab without notifying (a click during a run).
    void ShowTab(int tab) { tabs_.SelectSegment(tab); }

    // Handlers of the user's changes. Each returns true when the Output column
    // of the task list must be redrawn.
    bool OnTabChange();
    bool OnThreeGpTypeChange();
    bool OnProfileListChange();
    void OnProfileSettingChange();
    void OnSettingChange();

    OutputChoice Choice() const { return {DeviceTab(), ProfileEntry(), ThreeGpType()}; }

    // IOutputSettings
    int DeviceTab() const override { return tabs_.GetSelectedSegment(); }
    int ProfileEntry() const override;
    int ProfileSetting() const override;
    int ThreeGpType() const override;
    int SettingItem(Setting setting) const override;

    // IProfilePanel
    void ShowDescription(const char* text) override;
    void ClearSettingCombo() override;
    void AddSettingComboItem(const char* title) override;
    void SelectSettingComboItem(int item) override;
    void ClearProfileList() override;
    void AddProfileListEntry(const char* title) override;
    void SelectProfileListEntry(int entry) override;
    void ScrollProfileListEntryIntoView(int entry) override;

private:
    HWND Control(int id) const { return GetDlgItem(dialog_, id); }
    void LayOut();
    void FillCombos();
    void ShowProfileSetting(int profileSetting);
    SettingCombos ShownCombos() const;
    void ShowCombos(const SettingCombos& combos);
    void SelectDefaultItems();

    HWND dialog_ = nullptr;
    CSegmentBar tabs_;
    CSkinGroupBox group_;
    CSkinLabel labels_[13];
    CSkinComboBox combos_[11];
    CSkinListBox profiles_;
};
