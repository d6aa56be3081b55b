#include "engine/profile_ini.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "engine/profile_block.h"
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

TEST_F(ProfileIniTest, SetFileAcceptsOnlyExistingFilesButKeepsThePath) {
    EXPECT_FALSE(ini.SetFile(folder.Path() + "missing.ini"));
    EXPECT_EQ(ini.GetString("Info", "Description"), "");
    EXPECT_FALSE(ini.HasKeys("Info"));
    EXPECT_EQ(ini.GetSectionNames(names), 1);
    EXPECT_THAT(names, ElementsAre(""));

    folder.MakeFolder("folder.ini");
    EXPECT_FALSE(ini.SetFile(folder.Path() + "folder.ini"));
    EXPECT_TRUE(ini.SetFile(folder.Write("real.ini", "[Info]\r\nTitle=x\r\n")));
    EXPECT_EQ(ini.GetString("Info", "Title"), "x");
}

TEST_F(ProfileIniTest, ReadsCrLfAndLfFilesAlike) {
    for (const char* lineEnd : {"\r\n", "\n"}) {
        const std::string le = lineEnd;
        Use("[Info]" + le + "Description=Two#lines" + le + "DefaultProfile=2" + le + "[First]" + le +
            "Title=First profile" + le + "Command1=cvenc -i \"$INPUT_FILE\" -metadata title=$TITLE" + le + "[Second]" +
            le + "Title=Second" + le);
        EXPECT_EQ(ini.GetSectionNames(names), 3);
        EXPECT_THAT(names, ElementsAre("Info", "First", "Second"));
        EXPECT_EQ(ini.GetNumber("Info", "DefaultProfile"), 2);
        EXPECT_EQ(ini.GetString("First", "Title"), "First profile");
        EXPECT_EQ(ini.GetSection("First", keys, values), 2);
        EXPECT_THAT(keys, ElementsAre("Title", "Command1"));
        EXPECT_THAT(values, ElementsAre("First profile", "cvenc -i \"$INPUT_FILE\" -metadata title=$TITLE"));
    }
}

TEST_F(ProfileIniTest, EmptyFileAndEmptyOrMissingSectionsGiveOneEmptyEntry) {
    Use("");
    EXPECT_EQ(ini.GetSectionNames(names), 1);
    EXPECT_THAT(names, ElementsAre(""));

    Use("[Info]\r\n[Empty]\r\n[Full]\r\nTitle=t\r\n");
    EXPECT_FALSE(ini.HasKeys("Info"));
    EXPECT_TRUE(ini.HasKeys("Full"));
    EXPECT_EQ(ini.GetSection("Empty", keys, values), 1);
    EXPECT_THAT(keys, ElementsAre(""));
    EXPECT_THAT(values, ElementsAre(""));
    EXPECT_EQ(ini.GetSection("Nowhere", keys, values), 1);
    EXPECT_THAT(values, ElementsAre(""));
}

TEST_F(ProfileIniTest, SingleSectionFileListsJustIt) {
    Use("[Info]\r\nDescription=Only info\r\nDefaultProfile=1\r\n");
    EXPECT_EQ(ini.GetSectionNames(names), 1);
    EXPECT_THAT(names, ElementsAre("Info"));
}

TEST_F(ProfileIniTest, LineWithoutEqualsIsAValueWithAnEmptyKey) {
    Use("[P]\r\nTitle=t\r\njust some words\r\nCommand2=b\r\n");
    EXPECT_EQ(ini.GetSection("P", keys, values), 3);
    EXPECT_THAT(keys, ElementsAre("Title", "", "Command2"));
    EXPECT_THAT(values, ElementsAre("t", "just some words", "b"));
}

TEST_F(ProfileIniTest, NumbersReadTheirLeadingDigits) {
    Use("[Info]\r\nA=12 profiles\r\nB=none\r\n");
    EXPECT_EQ(ini.GetNumber("Info", "A"), 12);
    EXPECT_EQ(ini.GetNumber("Info", "B"), 0);
    EXPECT_EQ(ini.GetNumber("Info", "Missing"), 0);
}

TEST_F(ProfileIniTest, LongValuesAndLinesAreCutAtTheLimit) {
    const std::string atLimit(kProfileTextLimit, 'v');
    const std::string tooLong(3000, 'w');
    Use("[P]\r\nTitle=" + atLimit + "\r\nCommand1=" + tooLong + "\r\n");
    EXPECT_EQ(ini.GetString("P", "Title"), atLimit);
    EXPECT_EQ(ini.GetString("P", "Command1"), std::string(kProfileTextLimit, 'w'));
    ASSERT_EQ(ini.GetSection("P", keys, values), 2);
    EXPECT_LE(values[0].size(), kProfileTextLimit);
    EXPECT_LE(values[1].size(), kProfileTextLimit);
    EXPECT_EQ(values[1].substr(0, 10), "wwwwwwwwww");
}

TEST_F(ProfileIniTest, LongSectionNameIsCutAndTheNextOneStillFound) {
    const std::string longName(1200, 's');
    Use("[" + longName + "]\r\nTitle=a\r\n[Next]\r\nTitle=b\r\n");
    const int count = ini.GetSectionNames(names);
    ASSERT_EQ(count, 2);
    EXPECT_LE(names[0].size(), kProfileTextLimit);
    EXPECT_EQ(names[1], "Next");
}

TEST_F(ProfileIniTest, SectionListLongerThanTheBlockEndsSafely) {
    std::string bytes;
    for (int section = 0; section < 4000; ++section) {
        bytes += "[Section number " + std::to_string(section) + " with a long name]\r\nTitle=t\r\n";
    }
    Use(bytes);
    const int count = ini.GetSectionNames(names);
    EXPECT_GT(count, 100);
    EXPECT_LT(count, 4000);
    EXPECT_EQ(names[0], "Section number 0 with a long name");
}

}  // namespace
