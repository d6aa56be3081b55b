#include "skin/skin_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Looks a key up in a skin file holding exactly these bytes.
struct Lookup {
    bool found;
    std::string value;
};

Lookup LookUp(const std::string& bytes, const std::string& key) {
    std::FILE* file = std::tmpfile();
    if (!file) return {false, "no temporary file"};
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    Lookup result{false, "untouched"};
    result.found = LookUpSkinValue(file, key, result.value);
    std::fclose(file);
    return result;
}

TEST(SkinFile, LineEndsOfEveryKindAndNoneAtTheEndReadAlike) {
    for (const char* end : {"\r\n", "\n", "\r", "\t\r\n\x01"}) {
        const std::string file = std::string("[skin]") + end + "directory=c:\\skins\\blue" + end + "title=top.bmp" +
                                 end + "background=back.bmp";
        SCOPED_TRACE(testing::Message() << "line end of " << std::string(end).size() << " bytes");
        EXPECT_EQ(LookUp(file, "directory").value, "c:\\skins\\blue");
        EXPECT_EQ(LookUp(file, "title").value, "top.bmp");
        const Lookup last = LookUp(file, "background");
        EXPECT_TRUE(last.found) << "the last line needs no line end";
        EXPECT_EQ(last.value, "back.bmp");
    }
}

TEST(SkinFile, KeysAndValuesAreLowerCasedAndNotTrimmed) {
    const std::string file = "BACKGROUND=Back.BMP\ntitle = top.bmp\ncombo_back=a=b c.bmp\nedit_back =x.bmp\n";
    EXPECT_EQ(LookUp(file, "background").value, "back.bmp");
    EXPECT_FALSE(LookUp(file, "title").found) << "a space before '=' belongs to the key";
    EXPECT_EQ(LookUp(file, "combo_back").value, "a=b c.bmp") << "only the first '=' splits";
    EXPECT_FALSE(LookUp(file, "edit_back").found);
    EXPECT_FALSE(LookUp(file, "edit").found) << "a key is matched whole, never as a prefix";
}

TEST(SkinFile, LongValuesComeBackWholeAndLongLinesDoNotSpillIntoNewLines) {
    const std::string atLimit(kSkinValueLimit, 'v');
    const std::string beyond(kSkinValueLimit + 100, 'v');
    EXPECT_EQ(LookUp("title=" + atLimit + "\n", "title").value, atLimit);
    EXPECT_EQ(LookUp("title=" + beyond + "\n", "title").value, beyond) << "never cut";

    // One line far beyond the line limit: what lies past the limit is still
    // part of that line, not a line of its own.
    const std::string longLine = "x=" + std::string(kSkinLineLimit + 50, 'a') + "title=evil.bmp";
    EXPECT_EQ(LookUp(longLine + "\ntitle=good.bmp", "title").value, "good.bmp");
    const Lookup tooLong = LookUp("title=" + std::string(kSkinLineLimit + 50, 'a'), "title");
    EXPECT_TRUE(tooLong.found);
    EXPECT_GT(tooLong.value.size(), kSkinValueLimit) << "a value from an overlong line is refused as a path";
}

TEST(SkinFile, FindingInAFileThatIsNotThere) {
    for (const char* path : {"", "no such folder/no such skin.ini"}) {
        std::string value = "untouched";
        EXPECT_FALSE(FindSkinValue(path, "title", value));
        EXPECT_EQ(value, "") << path;
    }
}

TEST(SkinFile, ElementPathsBeyondTheLimitAreRefusedNotCut) {
    std::string path;
    EXPECT_TRUE(ComposeSkinPath("c:\\skins\\blue", "top.bmp", path));
    EXPECT_EQ(path, "c:\\skins\\blue\\top.bmp");
    EXPECT_TRUE(ComposeSkinPath("", "top.bmp", path));
    EXPECT_EQ(path, "\\top.bmp") << "without a directory the path starts with the backslash";

    const std::string directory(kSkinValueLimit - 6, 'd');
    EXPECT_TRUE(ComposeSkinPath(directory, "a.bmp", path));
    EXPECT_EQ(path.size(), kSkinValueLimit);
    EXPECT_FALSE(ComposeSkinPath(directory, "ab.bmp", path));
    EXPECT_EQ(path, directory + "\\ab.bmp") << "the refused path is kept whole for the message";
}

}  // namespace
