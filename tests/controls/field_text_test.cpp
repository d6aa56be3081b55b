#include "controls/field_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A text is copied whole or not at all, and kept only up to its limit.
TEST(FieldText, CopiesOnlyWhatFitsAndKeepsUpToItsLimit) {
    FieldText field;
    field.Set("C:\\Videos\\");  // 10 characters
    char buffer[512];
    EXPECT_TRUE(field.CopyTo(buffer, 11));
    EXPECT_STREQ(buffer, "C:\\Videos\\");
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(field.CopyTo(buffer, 10));
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'x';
    EXPECT_FALSE(field.CopyTo(buffer, 0));
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_FALSE(field.CopyTo(nullptr, 16));

    field.Set(std::string(600, 'd').c_str());
    EXPECT_TRUE(field.CopyTo(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer).size(), 511u);
    field.Set(nullptr);
    EXPECT_TRUE(field.CopyTo(buffer, 1));
    EXPECT_STREQ(buffer, "");
}

}  // namespace
