#include "settings/profile_setting.h"

#include "engine/value_tables.h"

namespace {

struct ProfileKey {
    Setting setting;
    const char* key;
};

// The five settings a profile section names; the other four are the user's.
const ProfileKey kProfileKeys[] = {
    {Setting::VideoCodec, "VideoType"},      {Setting::VideoSize, "VideoSize"},
    {Setting::VideoBitrate, "VideoQuality"}, {Setting::Channels, "Channels"},
    {Setting::AudioBitrate, "AudioQuality"},
};

}  // namespace

SettingCombos DefaultSettingCombos() {
    SettingCombos combos;
    combos.Item(Setting::VideoCodec) = 1;    // AVC
    combos.Item(Setting::VideoSize) = 3;     // 320 x 240
    combos.Item(Setting::FrameRate) = 0;     // same as the input
    combos.Item(Setting::VideoBitrate) = 6;  // 576 kbps
    combos.Item(Setting::Aspect) = 0;        // 4:3
    combos.Item(Setting::Channels) = 1;      // stereo
    combos.Item(Setting::AudioBitrate) = 2;  // 64 kbps
    combos.Item(Setting::SampleRate) = 0;    // same as the input
    combos.Item(Setting::Volume) = 1;        // 100 %
    return combos;
}

SettingCombos WithProfileSetting(SettingCombos shown, int profileSetting,
                                 const std::function<int(const char* key)>& readNumber) {
    shown.profileSetting = profileSetting;
    if (profileSetting <= 0) return shown;
    for (const ProfileKey& profileKey : kProfileKeys) {
        const int item = readNumber(profileKey.key);
        if (item >= 0 && item < SettingItemCount(profileKey.setting)) shown.Item(profileKey.setting) = item;
    }
    return shown;
}

int SelectableItem(int wanted, int count) {
    if (count <= 0) return -1;
    return wanted >= 0 && wanted < count ? wanted : 0;
}
