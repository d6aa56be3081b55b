#pragma once

// The part of the output settings panel that a profile file fills: the family
// description (static 1066), the iPod "Profile setting" combo (1072) and the
// "Select Profile:" list of the other families (1065). Selecting from here never
// raises a change notification: only the user's own choices do.
class IProfilePanel {
public:
    virtual ~IProfilePanel() = default;
    virtual void ShowDescription(const char* text) = 0;
    virtual void ClearSettingCombo() = 0;
    virtual void AddSettingComboItem(const char* title) = 0;
    virtual void SelectSettingComboItem(int item) = 0;
    virtual void ClearProfileList() = 0;
    virtual void AddProfileListEntry(const char* title) = 0;
    virtual void SelectProfileListEntry(int entry) = 0;
    virtual void ScrollProfileListEntryIntoView(int entry) = 0;
};

// Fills the panel from one profile file (see profile_files.h). A file without
// an "Info" section leaves the panel as it was.
void LoadProfileList(int fileIndex, IProfilePanel& panel);
