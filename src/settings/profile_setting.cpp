#include "settings/profile_setting.h"

std::vector<SettingChoice> ProfileSettingChoices(int profileSetting,
                                                 const std::function<int(const char* key)>& readNumber) {
    if (profileSetting <= 0) return {};
    return {
        {Setting::VideoCodec, readNumber("VideoType")},      {Setting::VideoSize, readNumber("VideoSize")},
        {Setting::VideoBitrate, readNumber("VideoQuality")}, {Setting::Channels, readNumber("Channels")},
        {Setting::AudioBitrate, readNumber("AudioQuality")},
    };
}

int SelectableItem(int wanted, int count) {
    if (count <= 0) return -1;
    return wanted >= 0 && wanted < count ? wanted : 0;
}
