#include "settings/profile_setting.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A profile section as the reader hands it: missing keys read 0.
auto Section(std::map<std::string, int> keys) {
    return [keys](const char* key) {
        const auto found = keys.find(key);
        return found == keys.end() ? 0 : found->second;
    };
}

// At start-up the iPod file's default profile is selected: the combos show
// its values, as choosing it does, and nothing of the user's own defaults
// that the profile's command does not use.
TEST(ProfileSetting, TheStartUpProfileShowsItsOwnValuesInTheCombos) {
    const auto ipodMpeg4 = Section({{"VideoType", 0}, {"VideoSize", 2}, {"VideoQuality", 5}, {"AudioQuality", 3}});
    const SettingCombos start = WithProfileSetting(DefaultSettingCombos(), 1, ipodMpeg4);
    EXPECT_EQ(start.profileSetting, 1);
    EXPECT_EQ(start.Item(Setting::VideoSize), 2);
    EXPECT_EQ(start.Item(Setting::Channels), 0) << "a missing key reads 0";

    // Frame rate, aspect, sample rate and volume are the user's: a profile
    // keeps them (whatever they are: that it never sets them is the
    // control_layout fuzz harness's).
    SettingCombos chosen = DefaultSettingCombos();
    chosen.Item(Setting::FrameRate) = 3;
    const SettingCombos after = WithProfileSetting(chosen, 2, ipodMpeg4);
    EXPECT_EQ(after.Item(Setting::FrameRate), 3);
}

// That each key sets its own combo, only to an item it has, and that the
// user's own combination reads nothing, is the control_layout fuzz harness's.

}  // namespace
