#include "engine/command_templates.h"

#include <gmock/gmock.h>

#include "engine/run_state.h"
#include "support/app_folder_fixture.h"
#include "support/fake_settings.h"
#include "support/fake_views.h"
#include "tasks/output_directory.h"

using ::testing::MatchesRegex;

namespace {

class CommandTemplatesTest : public AppFolderTest {
protected:
    TaskList tasks;
    int currentItemIndex = 1;
    FakeSettings settings;
    FakeItemView view;
    FakeRunOptions options;
    EngineContext context{tasks, currentItemIndex, settings, view, options};

    void SetUp() override {
        AppFolderTest::SetUp();
        outputDirectory = "E:\\Converted\\";
        ConversionItem second;
        second.sourcePath = "C:\\in\\second clip.avi";
        second.outputName = "second clip";
        second.beginTime = 10.9;
        second.endTime = 70.1;
        second.fileNumber = 42;
        tasks.Append(ConversionItem{});
        tasks.Append(second);
    }
};

// The item's choices, not the panel's present ones, name its files.
TEST_F(CommandTemplatesTest, ExpandCommandWorksOnTheCurrentItemWithTheChoicesItStartedWith) {
    itemChoice = {kTabPsp, 16, 0};
    settings.deviceTab = kTabXbox;
    EXPECT_EQ(ExpandCommand(context, "enc -i \"$INPUT_FILE\" -ss $START -t $LENGTH \"$OUTPUT_DIR$OUTPUT_FILE.MP4\""),
              "enc -i \"C:\\in\\second clip.avi\" -ss 00:00:10 -t 00:00:59 \"E:\\Converted\\MAQ00042.MP4\"");
    EXPECT_THAT(ExpandCommand(context, "$TIMESTAMP").value_or(""),
                MatchesRegex("\\d\\d\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d"));
}

TEST_F(CommandTemplatesTest, TheIpodTemplateComesFromTheChosenProfileSetting) {
    WriteApp("iPod_Profile.ini",
             "[Info]\r\nDefaultProfile=0\r\n"
             "[profile0]\r\nTitle=Own\r\nCommand0=enc \"$INPUT_FILE\"$START$LENGTH -s $SIZE "
             "\"$OUTPUT_DIR$OUTPUT_FILE.mp4\"\r\n"
             "[profile1]\r\nTitle=Fixed\r\nCommand0=enc -s $SIZE\r\n");
    settings.Select(Setting::VideoSize, 3);
    EXPECT_EQ(BuildIpodCommand(context, 1, ReadIpodTemplate(settings)),
              "enc \"C:\\in\\second clip.avi\" -ss 00:00:10 -t 00:00:59 -s 320x240 \"E:\\Converted\\second clip.mp4\"");
    settings.profileSetting = 1;
    EXPECT_EQ(ReadIpodTemplate(settings), "enc -s $SIZE");
    settings.profileSetting = 9;
    EXPECT_EQ(ReadIpodTemplate(settings), "");
}

}  // namespace
