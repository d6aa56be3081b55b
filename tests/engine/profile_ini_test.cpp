#include "engine/profile_ini.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

using ::testing::ElementsAre;

namespace {

// The same tricky files, read through Windows' own private-profile functions,
// so that the reader is checked against what the system really returns.
class ProfileIniTest : public ::testing::Test {
protected:
    CProfileIni ini;
    TempFolder folder;
    std::vector<std::string> names, keys, values;

    void Use(const std::string& bytes) { ASSERT_TRUE(ini.SetFile(folder.Write("profile.ini", bytes))); }
};

// A missing file then reads as an empty one, never as the file named before.
TEST_F(ProfileIniTest, SetFileAcceptsOnlyExistingFilesButKeepsThePath) {
    EXPECT_TRUE(ini.SetFile(folder.Write("real.ini", "[Info]\r\nTitle=x\r\n")));
    EXPECT_EQ(ini.GetString("Info", "Title"), "x");
    EXPECT_FALSE(ini.SetFile(folder.Path() + "missing.ini"));
    EXPECT_EQ(ini.GetString("Info", "Title"), "");
}

TEST_F(ProfileIniTest, OddFilesAndSectionsGiveTheirDefinedEntries) {
    Use("[Info]\r\n[Empty]\r\n[Full]\r\nTitle=t\r\njust some words\r\nA=12 profiles\r\nB=none=0\r\n");
    EXPECT_EQ(ini.GetSectionNames(names), 3);
    EXPECT_THAT(names, ElementsAre("Info", "Empty", "Full"));
    EXPECT_FALSE(ini.HasKeys("Info"));
    EXPECT_TRUE(ini.HasKeys("Full"));
    // A line without "=" is a value with an empty key; the first "=" splits the others.
    EXPECT_EQ(ini.GetSection("Full", keys, values), 4);
    EXPECT_THAT(keys, ElementsAre("Title", "", "A", "B"));
    EXPECT_THAT(values, ElementsAre("t", "just some words", "12 profiles", "none=0"));
}

// Values hold at most 1,023 characters; longer ones are cut there.
TEST_F(ProfileIniTest, LongValuesAndLinesAreCutAt1023Characters) {
    const std::string atLimit(1023, 'v');
    Use("[P]\r\nTitle=" + atLimit + "\r\nCommand1=" + std::string(3000, 'w') + "\r\n");
    EXPECT_EQ(ini.GetString("P", "Title"), atLimit);
    EXPECT_EQ(ini.GetString("P", "Command1"), std::string(1023, 'w'));
    ASSERT_EQ(ini.GetSection("P", keys, values), 2);
    EXPECT_EQ(values[0], atLimit.substr(6));
    EXPECT_EQ(values[1].size(), 1023u - 9u) << "the line \"Command1=...\" is cut as a whole";
}

}  // namespace
