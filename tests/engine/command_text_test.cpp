#include "engine/command_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "support/fake_settings.h"

namespace {

ExpansionInputs Inputs() {
    ExpansionInputs inputs;
    inputs.item.sourcePath = "C:\\Videos\\Holiday.avi";
    inputs.item.outputName = "Holiday";
    inputs.item.title = "Holiday";
    inputs.item.beginTime = 3725.9;
    inputs.item.endTime = 3785.2;
    inputs.item.fileNumber = 12345;
    inputs.outputDirectory = "D:\\Out\\";
    inputs.now = {2026, 3, 7, 9, 5, 1};
    return inputs;
}

std::string Family(const std::string& text, const ExpansionInputs& inputs, int tab = kTabXbox, int entry = 0) {
    return ExpandFamilyTemplate(text, inputs, tab, entry);
}

TEST(TimeText, TruncatesTowardZeroAndGrowsPastTwoHourDigits) {
    EXPECT_EQ(FormatClock(WholeSeconds(3725.9)), "01:02:05");
    EXPECT_EQ(FormatClock(WholeSeconds(59.999)), "00:00:59");
    EXPECT_EQ(FormatClock(WholeSeconds(100 * 3600.0)), "100:00:00");
    EXPECT_EQ(FormatClock(WholeSeconds(1234567.0)), "342:56:07");
    EXPECT_EQ(WholeSeconds(-0.7), 0);
    EXPECT_EQ(WholeSeconds(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_GT(WholeSeconds(1e300), 0);
    EXPECT_LT(WholeSeconds(-std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(FormatTimestamp({2026, 3, 7, 9, 5, 1}), "2026-03-07 09:05:01");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanningWhatItPutIn) {
    std::string text = "$A-$A-$A";
    ReplaceAll(text, "$A", "$A$A");
    EXPECT_EQ(text, "$A$A-$A$A-$A$A");
}

TEST(FamilyExpansion, PutsInTheItemTimesFolderAndTimestamp) {
    EXPECT_EQ(
        Family("cvenc -i \"$INPUT_FILE\" -ss $START -t $LENGTH -title \"$TITLE\" -y \"$OUTPUT_DIR$OUTPUT_FILE.mpg\" "
               "# $TIMESTAMP $TITLE",
               Inputs()),
        "cvenc -i \"C:\\Videos\\Holiday.avi\" -ss 01:02:05 -t 00:00:59 -title \"Holiday\" "
        "-y \"D:\\Out\\Holiday.mpg\" # 2026-03-07 09:05:01 Holiday");
}

TEST(FamilyExpansion, LengthIsTheDifferenceOfTheTimesThenTruncated) {
    ExpansionInputs inputs = Inputs();
    inputs.item.beginTime = 0.6;
    inputs.item.endTime = 360010.5;  // 360009.9 seconds: more than 100 hours
    EXPECT_EQ(Family("$START $LENGTH", inputs), "00:00:00 100:00:09");
}

TEST(FamilyExpansion, ValuesPutInAreOpenToLaterStepsOnly) {
    ExpansionInputs inputs = Inputs();
    inputs.item.sourcePath = "C:\\$TITLE\\in.avi";       // $TITLE comes after $INPUT_FILE
    inputs.item.title = "$INPUT_FILE and $OUTPUT_FILE";  // $INPUT_FILE came before, $OUTPUT_FILE comes after
    EXPECT_EQ(Family("$INPUT_FILE|$TITLE", inputs), "C:\\$INPUT_FILE and Holiday\\in.avi|$INPUT_FILE and Holiday");
}

TEST(FamilyExpansion, ExportedItemReadsItsIntermediateWithoutARange) {
    ExpansionInputs inputs = Inputs();
    inputs.item.needsExport = 1;
    inputs.item.exportPath = "D:\\Out\\Holiday_export.avi";
    EXPECT_EQ(Family("-i $INPUT_FILE -ss $START -t $LENGTH", inputs), "-i D:\\Out\\Holiday_export.avi -ss   -t  ");
}

TEST(FamilyExpansion, PspNamesFollowTheProfileEntry) {
    const ExpansionInputs inputs = Inputs();
    EXPECT_EQ(Family("$OUTPUT_FILE", inputs, kTabPsp, 15), "M4V12345");
    EXPECT_EQ(Family("$OUTPUT_FILE", inputs, kTabPsp, 16), "MAQ12345");
    EXPECT_EQ(Family("$OUTPUT_FILE", inputs, kTabPsp, -1), "M4V12345");
    EXPECT_EQ(Family("$OUTPUT_FILE", inputs, kTabPmp, 16), "Holiday");

    ExpansionInputs small = inputs;
    small.item.fileNumber = 7;
    EXPECT_EQ(Family("$OUTPUT_FILE.MP4", small, kTabPsp, 0), "M4V00007.MP4");
}

TEST(FamilyExpansion, LongCommandsAreCutAtTheLimit) {
    ExpansionInputs inputs = Inputs();
    inputs.item.title = std::string(1000, 't');
    const std::string command = Family("$TITLE $TITLE $TITLE", inputs);
    EXPECT_EQ(command.size(), kCommandLimit);
    EXPECT_EQ(command.back(), 't');
}

TEST(IpodExpansion, WritesTheRangeAsOptionsAndFillsTheOwnSettings) {
    FakeSettings settings;
    settings.deviceTab = kTabPsp;  // the PSP naming never applies to the iPod command
    settings.Select(Setting::VideoCodec, 1);
    settings.Select(Setting::VideoSize, 3);
    settings.Select(Setting::FrameRate, 0);
    settings.Select(Setting::VideoBitrate, 9);
    settings.Select(Setting::Aspect, 1);
    settings.Select(Setting::Channels, 1);
    settings.Select(Setting::AudioBitrate, 5);
    settings.Select(Setting::SampleRate, 2);
    settings.Select(Setting::Volume, 7);
    EXPECT_EQ(ExpandIpodTemplate("cvenc -i \"$INPUT_FILE\"$START$LENGTH $VCODEC -s $SIZE $FRAMERATE -b $VIDEOBITRATE "
                                 "-aspect $ASPECT -ac $CHANNEL -ab $AUDIOBITRATE $AUDIOSAMPLE -vol $VOLUME "
                                 "\"$OUTPUT_DIR$OUTPUT_FILE.mp4\" -s $SIZE",
                                 Inputs(), settings),
              "cvenc -i \"C:\\Videos\\Holiday.avi\" -ss 01:02:05 -t 00:00:59 "
              "-vcodec h264 -coder 0 -vlevel 13 -bufsize 256 -g 250 -s 320x240  -b 1500 -aspect 16:9 -ac 2 -ab 64 "
              "-ar 44100 -vol 1024 \"D:\\Out\\Holiday.mp4\" -s 320x240");
}

TEST(IpodExpansion, OtherProfilesKeepTheSettingPlaceholders) {
    FakeSettings settings;
    settings.profileSetting = 2;
    EXPECT_EQ(ExpandIpodTemplate("-s $SIZE -ab $AUDIOBITRATE", Inputs(), settings), "-s $SIZE -ab $AUDIOBITRATE");
}

TEST(IpodExpansion, ComboWithoutSelectionPutsInNothing) {
    FakeSettings settings;
    settings.items.fill(-1);
    EXPECT_EQ(ExpandIpodTemplate("[$VCODEC][$SIZE][$VOLUME]", Inputs(), settings), "[][][]");
}

TEST(IpodExpansion, ExportedItemGetsBlanksForTheRangeOptions) {
    ExpansionInputs inputs = Inputs();
    inputs.item.needsExport = 1;
    inputs.item.exportPath = "D:\\Out\\x.avi";
    FakeSettings settings;
    settings.profileSetting = 1;
    EXPECT_EQ(ExpandIpodTemplate("-i $INPUT_FILE$START$LENGTH -y", inputs, settings), "-i D:\\Out\\x.avi   -y");
}

}  // namespace
