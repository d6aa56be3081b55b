#include "settings/settings_panel.h"

#include <iterator>

#include "engine/app_folder.h"
#include "engine/profile_files.h"
#include "engine/profile_ini.h"
#include "resource_ids.h"
#include "settings/panel_controls.h"
#include "settings/profile_setting.h"

namespace {

constexpr int kTabCount = 6;
constexpr int kThreeGpTab = 2;

struct ComboTable {
    int id;
    Setting setting;
    std::initializer_list<const char*> items;
};

// The nine setting combos, in the order the commands read them; texts keep
// their exact spacing, since they are what the user sees.
const ComboTable kSettingCombos[kSettingCount] = {
    {IDC_VIDEO_TYPE, Setting::VideoCodec, {"MPEG4", "AVC"}},
    {IDC_VIDEO_SIZE,
     Setting::VideoSize,
     {"176 x 120", "240 x 176", "320 x 176", "320 x 240", "368 x 208", "384 x 160", "416 x 176", "400 x 192",
      "480 x 160"}},
    {IDC_FRAME_RATE, Setting::FrameRate, {"Same As Input File", "14.985  fps", "23.976  fps", "29.97    fps"}},
    {IDC_VIDEO_QUALITY,
     Setting::VideoBitrate,
     {"128   kbps", "192   kbps", "216   kbps", "256   kbps ", "384   kbps", "512   kbps", "576   kbps", "640   kbps",
      "768   kbps", "1500 kbps"}},
    {IDC_ASPECT, Setting::Aspect, {"4:3", "16:9"}},
    {IDC_CHANNELS, Setting::Channels, {"Mono", "Stereo"}},
    {IDC_AUDIO_QUALITY,
     Setting::AudioBitrate,
     {"32     kbps", "48     kbps", "64     kbps", "80     kbps", "96     kbps", "128   kbps"}},
    {IDC_SAMPLE_RATE, Setting::SampleRate, {"Same As Input File", "24000  Hz", "44100  Hz", "48000  Hz"}},
    {IDC_VOLUME, Setting::Volume, {"50%", "100%", "150%", "200%", "250%", "300%", "350%", "400%"}},
};

const char* const kThreeGpTypes[] = {"Cell Phone 3GP  files (3GP + AMR)", "Cell Phone 3GP  files (3GP + AAC)",
                                     "Cell Phone 3GP2 files (3GP2 + AAC)"};

const int kLabelIds[] = {IDC_PROFILE_SETTING_LABEL,
                         IDC_VIDEO_TYPE_LABEL,
                         IDC_VIDEO_SIZE_LABEL,
                         IDC_FRAME_RATE_LABEL,
                         IDC_VIDEO_QUALITY_LABEL,
                         IDC_ASPECT_LABEL,
                         IDC_AUDIO_QUALITY_LABEL,
                         IDC_CHANNELS_LABEL,
                         IDC_SAMPLE_RATE_LABEL,
                         IDC_VOLUME_LABEL,
                         IDC_THREE_GP_TYPE_LABEL,
                         IDC_PROFILE_LIST_LABEL,
                         IDC_DESCRIPTION};

// What the iPod family shows; the other families show kListControls instead.
const int kIpodControls[] = {IDC_PROFILE_SETTING_LABEL, IDC_PROFILE_SETTING, IDC_VIDEO_TYPE_LABEL, IDC_VIDEO_TYPE,
                             IDC_VIDEO_SIZE_LABEL,      IDC_VIDEO_SIZE,      IDC_FRAME_RATE_LABEL, IDC_FRAME_RATE,
                             IDC_VIDEO_QUALITY_LABEL,   IDC_VIDEO_QUALITY,   IDC_ASPECT_LABEL,     IDC_ASPECT,
                             IDC_AUDIO_QUALITY_LABEL,   IDC_AUDIO_QUALITY,   IDC_CHANNELS_LABEL,   IDC_CHANNELS,
                             IDC_SAMPLE_RATE_LABEL,     IDC_SAMPLE_RATE,     IDC_VOLUME_LABEL,     IDC_VOLUME};
const int kListControls[] = {IDC_DESCRIPTION, IDC_PROFILE_LIST_LABEL, IDC_PROFILE_LIST};

const int kComboIds[] = {IDC_PROFILE_SETTING, IDC_VIDEO_TYPE, IDC_VIDEO_SIZE,   IDC_FRAME_RATE,
                         IDC_VIDEO_QUALITY,   IDC_ASPECT,     IDC_CHANNELS,     IDC_AUDIO_QUALITY,
                         IDC_SAMPLE_RATE,     IDC_VOLUME,     IDC_THREE_GP_TYPE};

const int kEnabledByRun[] = {IDC_PROFILE_LIST, IDC_VIDEO_TYPE, IDC_VIDEO_SIZE,      IDC_VIDEO_QUALITY,
                             IDC_FRAME_RATE,   IDC_ASPECT,     IDC_CHANNELS,        IDC_AUDIO_QUALITY,
                             IDC_SAMPLE_RATE,  IDC_VOLUME,     IDC_PROFILE_SETTING, IDC_THREE_GP_TYPE};

struct Place {
    int id;
    int x, y, width, height;
};

constexpr int kRowHeight = 19;
const Place kLayout[] = {
    {IDC_DEVICE_TABS, 393, 75, 447, 17},
    {IDC_SETTINGS_GROUP, 410, 97, 415, 190},
    {IDC_PROFILE_SETTING_LABEL, 420, 115, 80, kRowHeight},
    {IDC_PROFILE_SETTING, 505, 115, 305, kRowHeight},
    {IDC_VIDEO_TYPE_LABEL, 420, 140, 80, kRowHeight},
    // The left column is wide enough for "Same As Input File", the right
    // one's labels for "Video Quality".
    {IDC_VIDEO_TYPE, 505, 140, 128, kRowHeight},
    {IDC_VIDEO_SIZE_LABEL, 638, 140, 82, kRowHeight},
    {IDC_VIDEO_SIZE, 722, 140, 88, kRowHeight},
    {IDC_FRAME_RATE_LABEL, 420, 168, 80, kRowHeight},
    {IDC_FRAME_RATE, 505, 168, 128, kRowHeight},
    {IDC_VIDEO_QUALITY_LABEL, 638, 168, 82, kRowHeight},
    {IDC_VIDEO_QUALITY, 722, 168, 88, kRowHeight},
    {IDC_ASPECT_LABEL, 420, 195, 80, kRowHeight},
    {IDC_ASPECT, 505, 195, 128, kRowHeight},
    {IDC_AUDIO_QUALITY_LABEL, 420, 223, 80, kRowHeight},
    {IDC_AUDIO_QUALITY, 505, 223, 128, kRowHeight},
    {IDC_CHANNELS_LABEL, 638, 223, 82, kRowHeight},
    {IDC_CHANNELS, 722, 223, 88, kRowHeight},
    {IDC_SAMPLE_RATE_LABEL, 420, 251, 80, kRowHeight},
    {IDC_SAMPLE_RATE, 505, 251, 128, kRowHeight},
    {IDC_VOLUME_LABEL, 638, 251, 82, kRowHeight},
    {IDC_VOLUME, 722, 251, 88, kRowHeight},
    {IDC_THREE_GP_TYPE_LABEL, 420, 115, 120, kRowHeight},
    {IDC_THREE_GP_TYPE, 550, 115, 260, kRowHeight},
    {IDC_DESCRIPTION, 420, 113, 390, 55},
    {IDC_PROFILE_LIST_LABEL, 420, 172, 80, 15},
    {IDC_PROFILE_LIST, 420, 190, 390, 80},
};

// A combo's height is that of its face and its open list together; the
// combo sizes its face from the font. Combos keep room to drop.
constexpr int kDroppedListHeight = 200;

bool IsCombo(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, CSkinComboBox::kClassName) == 0;
}

void MoveTo(HWND control, int x, int y, int width, int height) {
    if (IsCombo(control)) height = kDroppedListHeight;
    SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowControls(HWND dialog, const int* ids, std::size_t count, bool show) {
    for (std::size_t i = 0; i < count; ++i) ShowWindow(GetDlgItem(dialog, ids[i]), show ? SW_SHOW : SW_HIDE);
}

}  // namespace

// Everything is moved before it is attached (see CMainDialog::SetUpControls).
void CSettingsPanel::SetUp(HWND dialog) {
    dialog_ = dialog;
    LayOut();
    tabs_.SubclassDlgItem(IDC_DEVICE_TABS, dialog);
    for (int tab = 0; tab < kTabCount; ++tab) tabs_.AddSegment(tab, IDB_TAB_IPOD + tab);
    group_.SubclassDlgItem(IDC_SETTINGS_GROUP, dialog);
    for (std::size_t i = 0; i < std::size(kLabelIds); ++i) labels_[i].SubclassDlgItem(kLabelIds[i], dialog);
    for (std::size_t i = 0; i < std::size(kComboIds); ++i) combos_[i].SubclassDlgItem(kComboIds[i], dialog);
    profiles_.SubclassDlgItem(IDC_PROFILE_LIST, dialog);
    FillCombos();
}

void CSettingsPanel::FillCombos() {
    for (const ComboTable& combo : kSettingCombos) {
        ComboFill(Control(combo.id), combo.items.begin(), static_cast<int>(combo.items.size()));
    }
    ComboFill(Control(IDC_THREE_GP_TYPE), kThreeGpTypes, static_cast<int>(std::size(kThreeGpTypes)));
}

void CSettingsPanel::LayOut() {
    for (const Place& place : kLayout) MoveTo(Control(place.id), place.x, place.y, place.width, place.height);
}

void CSettingsPanel::SwitchDeviceFamily(int tab) {
    const int fileIndex = ProfileFileForTab(tab, ThreeGpType());
    if (fileIndex >= 0) LoadProfileList(fileIndex, *this);
    ShowControls(dialog_, kIpodControls, std::size(kIpodControls), tab == 0);
    ShowControls(dialog_, kListControls, std::size(kListControls), tab != 0);
    const bool threeGp = tab == kThreeGpTab;
    ShowWindow(Control(IDC_THREE_GP_TYPE_LABEL), threeGp ? SW_SHOW : SW_HIDE);
    ShowWindow(Control(IDC_THREE_GP_TYPE), threeGp ? SW_SHOW : SW_HIDE);
    if (threeGp) {
        MoveTo(Control(IDC_DESCRIPTION), 420, 137, 390, 30);
    } else if (tab != 0) {
        MoveTo(Control(IDC_DESCRIPTION), 420, 113, 390, 55);
    }
}

void CSettingsPanel::Reset() {
    tabs_.SelectSegment(0);
    SwitchDeviceFamily(0);
    SelectDefaultItems();
}

// Loading the file selects its default profile over the defaults shown.
void CSettingsPanel::ShowStartingSettings() {
    tabs_.SelectSegment(0);
    SelectDefaultItems();
    SwitchDeviceFamily(0);
}

void CSettingsPanel::SelectDefaultItems() {
    ShowCombos(DefaultSettingCombos());
    ComboSelect(Control(IDC_THREE_GP_TYPE), 0);
}

void CSettingsPanel::Enable(bool enable) {
    for (const int id : kEnabledByRun) EnableWindow(Control(id), enable ? TRUE : FALSE);
}

bool CSettingsPanel::OnTabChange() {
    SwitchDeviceFamily(DeviceTab());
    return true;
}

bool CSettingsPanel::OnThreeGpTypeChange() {
    const int fileIndex = ProfileFileForTab(kThreeGpTab, ThreeGpType());
    if (fileIndex >= 0) LoadProfileList(fileIndex, *this);
    return true;
}

bool CSettingsPanel::OnProfileListChange() { return DeviceTab() == kTabPsp; }

void CSettingsPanel::OnProfileSettingChange() { ShowProfileSetting(ProfileSetting()); }

// The user's choice and the program's (start-up, the iPod file loaded again)
// show the profile alike.
void CSettingsPanel::ShowProfileSetting(int profileSetting) {
    EnterAppFolder();
    profileIni.SetFile(ProfileFileName(kIpodProfileFile));
    const std::string section = "profile" + std::to_string(profileSetting);
    const auto readNumber = [&section](const char* key) { return profileIni.GetNumber(section, key); };
    ShowCombos(WithProfileSetting(ShownCombos(), profileSetting, readNumber));
}

SettingCombos CSettingsPanel::ShownCombos() const {
    SettingCombos combos;
    combos.profileSetting = ProfileSetting();
    for (const ComboTable& combo : kSettingCombos) combos.Item(combo.setting) = ComboSelection(Control(combo.id));
    return combos;
}

void CSettingsPanel::ShowCombos(const SettingCombos& combos) {
    ComboSelect(Control(IDC_PROFILE_SETTING), combos.profileSetting);
    for (const ComboTable& combo : kSettingCombos) {
        ComboSelect(Control(combo.id), combos.Item(combo.setting));
    }
}

void CSettingsPanel::OnSettingChange() { ComboSelect(Control(IDC_PROFILE_SETTING), 0); }

int CSettingsPanel::ProfileEntry() const { return profiles_.GetFirstSelected(); }
int CSettingsPanel::ProfileSetting() const { return ComboSelection(Control(IDC_PROFILE_SETTING)); }
int CSettingsPanel::ThreeGpType() const { return ComboSelection(Control(IDC_THREE_GP_TYPE)); }

int CSettingsPanel::SettingItem(Setting setting) const {
    for (const ComboTable& combo : kSettingCombos) {
        if (combo.setting == setting) return ComboSelection(Control(combo.id));
    }
    return -1;
}

void CSettingsPanel::ShowDescription(const char* text) { SetWindowTextA(Control(IDC_DESCRIPTION), text); }

void CSettingsPanel::ClearSettingCombo() { SendMessageA(Control(IDC_PROFILE_SETTING), CB_RESETCONTENT, 0, 0); }

void CSettingsPanel::AddSettingComboItem(const char* title) {
    SendMessageA(Control(IDC_PROFILE_SETTING), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
}

void CSettingsPanel::SelectSettingComboItem(int item) {
    ShowProfileSetting(SelectableItem(item, ComboCount(Control(IDC_PROFILE_SETTING))));
}

void CSettingsPanel::ClearProfileList() { profiles_.ResetItems(); }

void CSettingsPanel::AddProfileListEntry(const char* title) { profiles_.AddEntry(title); }

// Single selection: the entry chosen here is the only one selected.
void CSettingsPanel::SelectProfileListEntry(int entry) {
    const int item = SelectableItem(entry, profiles_.ItemCount());
    if (item < 0) return;
    for (int selected = profiles_.GetFirstSelected(); selected >= 0; selected = profiles_.GetFirstSelected()) {
        profiles_.SetItemSelected(selected, false);
    }
    profiles_.SetItemSelected(item, true);
}

void CSettingsPanel::ScrollProfileListEntryIntoView(int entry) {
    profiles_.EnsureItemVisible(SelectableItem(entry, profiles_.ItemCount()));
}
