#include "engine/value_tables.h"

#include <gtest/gtest.h>

namespace {

TEST(ValueTables, ComboWithoutSelectionOrPastItsEndReadsEmpty) {
    for (int index = 0; index < kSettingCount; ++index) {
        const Setting setting = static_cast<Setting>(index);
        EXPECT_STREQ(SettingValue(setting, -1), "");
        EXPECT_STREQ(SettingValue(setting, SettingItemCount(setting)), "");
        EXPECT_STREQ(SettingValue(setting, 1 << 30), "");
    }
}

}  // namespace
