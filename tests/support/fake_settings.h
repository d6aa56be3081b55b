#pragma once

#include <array>

#include "engine/output_settings.h"

// The settings panel's selections as plain values.
struct FakeSettings : IOutputSettings {
    int deviceTab = kTabIpod;
    int profileEntry = 0;
    int profileSetting = 0;
    int threeGpType = 0;
    std::array<int, kSettingCount> items{};

    int DeviceTab() const override { return deviceTab; }
    int ProfileEntry() const override { return profileEntry; }
    int ProfileSetting() const override { return profileSetting; }
    int ThreeGpType() const override { return threeGpType; }
    int SettingItem(Setting setting) const override { return items[static_cast<std::size_t>(setting)]; }
    void Select(Setting setting, int item) { items[static_cast<std::size_t>(setting)] = item; }
};
