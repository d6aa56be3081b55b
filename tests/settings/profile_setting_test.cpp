#include "settings/profile_setting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProfileSetting, AProfileSetsFiveCombosAndKeepsFour) {
    std::vector<std::string> read;
    const auto reader = [&read](const char* key) {
        read.push_back(key);
        return static_cast<int>(read.size());
    };
    EXPECT_TRUE(ProfileSettingChoices(0, reader).empty());
    EXPECT_TRUE(read.empty()) << "the user's own combination reads nothing";

    const std::vector<SettingChoice> choices = ProfileSettingChoices(3, reader);
    ASSERT_EQ(choices.size(), 5u);
    for (const SettingChoice& choice : choices) {
        EXPECT_NE(choice.setting, Setting::FrameRate);
        EXPECT_NE(choice.setting, Setting::Aspect);
        EXPECT_NE(choice.setting, Setting::SampleRate);
        EXPECT_NE(choice.setting, Setting::Volume);
    }
    EXPECT_EQ(choices[0].setting, Setting::VideoCodec);
    EXPECT_EQ(read[0], "VideoType");
}

TEST(ProfileSetting, OutOfRangeSelectionsFallBackToTheFirstItem) {
    EXPECT_EQ(SelectableItem(2, 5), 2);
    EXPECT_EQ(SelectableItem(5, 5), 0);
    EXPECT_EQ(SelectableItem(-1, 5), 0);
    EXPECT_EQ(SelectableItem(0, 0), -1);
}

}  // namespace
