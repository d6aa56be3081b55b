#include "engine/profile_list.h"

#include <algorithm>
#include <string>

#include "engine/app_folder.h"
#include "engine/profile_files.h"
#include "engine/profile_ini.h"

namespace {

const char* const kInfoSection = "Info";

}  // namespace

void LoadProfileList(int fileIndex, IProfilePanel& panel) {
    const char* fileName = ProfileFileName(fileIndex);
    if (fileName == nullptr) return;
    EnterAppFolder();
    profileIni.SetFile(fileName);
    if (!profileIni.HasKeys(kInfoSection)) return;

    std::string description = profileIni.GetString(kInfoSection, "Description");
    std::replace(description.begin(), description.end(), '#', '\n');
    panel.ShowDescription(description.c_str());

    const int defaultProfile = profileIni.GetNumber(kInfoSection, "DefaultProfile");
    const int count = profileIni.GetSectionNames(sectionNames);

    // Position 0 is "Info"; the profiles follow in file order, never sorted.
    if (fileIndex == kIpodProfileFile) {
        panel.ClearSettingCombo();
        for (int position = 1; position < count; ++position) {
            panel.AddSettingComboItem(profileIni.GetString(sectionNames[position], "Title").c_str());
        }
        panel.SelectSettingComboItem(defaultProfile);
    } else {
        panel.ClearProfileList();
        for (int position = 1; position < count; ++position) {
            panel.AddProfileListEntry(profileIni.GetString(sectionNames[position], "Title").c_str());
        }
        // Numbered from 1; a default below that is no entry (and the lowest number has no predecessor).
        const int entry = std::max(defaultProfile, 0) - 1;
        panel.SelectProfileListEntry(entry);
        panel.ScrollProfileListEntryIntoView(entry);
    }
}
