#include "engine/value_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Every table entry in order, as "placeholder item text" lines, against the
// list in fixtures/: a slipped or mistyped entry changes a user's encoding.
TEST(ValueTables, EveryEntryMatchesTheReferenceList) {
    std::ostringstream actual;
    for (int index = 0; index < kSettingCount; ++index) {
        const Setting setting = static_cast<Setting>(index);
        for (int item = 0; item < SettingItemCount(setting); ++item) {
            actual << SettingPlaceholder(setting) << ' ' << item << " [" << SettingValue(setting, item) << "]\n";
        }
    }
    std::ifstream reference(FIXTURES_DIR "/ipod_setting_values.txt", std::ios::binary);
    ASSERT_TRUE(reference) << "missing reference list";
    std::ostringstream expected;
    expected << reference.rdbuf();
    EXPECT_EQ(actual.str(), expected.str());
}

TEST(ValueTables, ComboWithoutSelectionOrPastItsEndReadsEmpty) {
    for (int index = 0; index < kSettingCount; ++index) {
        const Setting setting = static_cast<Setting>(index);
        EXPECT_STREQ(SettingValue(setting, -1), "");
        EXPECT_STREQ(SettingValue(setting, SettingItemCount(setting)), "");
        EXPECT_STREQ(SettingValue(setting, 1 << 30), "");
    }
}

}  // namespace
