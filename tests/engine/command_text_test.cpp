#include "engine/command_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_settings.h"

namespace {

ExpansionInputs Inputs() {
    ExpansionInputs inputs;
    inputs.item.sourcePath = "C:\\Videos\\Holiday.avi";
    inputs.item.outputName = "Holiday";
    inputs.item.title = "Holiday";
    inputs.item.beginTime = 1.005;  // 1004.999... ms as a double
    inputs.item.endTime = 3785.2;
    inputs.item.fileNumber = 12345;
    inputs.outputDirectory = "D:\\Out\\";
    inputs.now = {2026, 3, 7, 9, 5, 1};
    return inputs;
}

std::string Family(const std::string& text, const ExpansionInputs& inputs, int tab = kTabXbox, int entry = 0) {
    return ExpandFamilyTemplate(text, inputs, tab, entry).value_or("<refused>");
}

// Trim times are rounded to the millisecond. The PSP's names are numbered by
// the profile entry; an exported item reads its intermediate, which holds
// only the range.
TEST(FamilyExpansion, PutsInTheItemTimesFolderTimestampPspNumberAndExportedIntermediate) {
    ExpansionInputs inputs = Inputs();
    EXPECT_EQ(
        Family("cvenc -i \"$INPUT_FILE\" -ss $START -t $LENGTH -title \"$TITLE\" -y \"$OUTPUT_DIR$OUTPUT_FILE.mpg\" "
               "# $TIMESTAMP $TITLE",
               inputs),
        "cvenc -i \"C:\\Videos\\Holiday.avi\" -ss 00:00:01.005 -t 01:03:04.195 -title \"Holiday\" "
        "-y \"D:\\Out\\Holiday.mpg\" # 2026-03-07 09:05:01 Holiday");
    EXPECT_EQ(Family("$OUTPUT_FILE", inputs, kTabPsp, 16), "MAQ12345");
    inputs.item.endTime = 0.5;
    EXPECT_EQ(Family("-t $LENGTH", inputs), "-t 00:00:00.000") << "an end before the begin";

    inputs.item.needsExport = 1;
    inputs.item.exportPath = "D:\\Out\\Holiday_export.avi";
    EXPECT_EQ(Family("-i $INPUT_FILE -ss $START -t $LENGTH", inputs), "-i D:\\Out\\Holiday_export.avi -ss   -t  ");
}

// A cut command could lose an output's closing quote or extension and, with
// -y, overwrite another file: a command over 2,047 characters is refused.
TEST(FamilyExpansion, CommandsBeyond2047CharactersAreRefusedNotCut) {
    ExpansionInputs inputs = Inputs();
    inputs.item.title = std::string(1000, 't');
    EXPECT_EQ(Family("$TITLE $TITLE" + std::string(46, 'x'), inputs).size(), 2047u);
    EXPECT_EQ(Family("$TITLE $TITLE" + std::string(47, 'x'), inputs), "<refused>");
    // A template whose values hold placeholders is the command_text fuzz harness's regression input.
}

TEST(IpodExpansion, WritesTheRangeAsOptionsAndFillsTheOwnSettings) {
    FakeSettings settings;
    settings.deviceTab = kTabPsp;  // the PSP naming never applies to the iPod command
    settings.Select(Setting::VideoCodec, 1);
    settings.Select(Setting::VideoSize, 3);
    // The frame rate is left at its first item, an empty value: no option at all.
    settings.Select(Setting::AudioBitrate, 5);  // "128 kbps" puts in 64, which the iPod accepts
    settings.Select(Setting::Volume, 7);
    EXPECT_EQ(ExpandIpodTemplate("cvenc -i \"$INPUT_FILE\"$START$LENGTH $VCODEC -s $SIZE $FRAMERATE -ab $AUDIOBITRATE "
                                 "-vol $VOLUME \"$OUTPUT_DIR$OUTPUT_FILE.mp4\" -s $SIZE",
                                 Inputs(), settings),
              "cvenc -i \"C:\\Videos\\Holiday.avi\" -ss 00:00:01.005 -t 01:03:04.195 "
              "-vcodec h264 -coder 0 -vlevel 13 -bufsize 256 -g 250 -s 320x240  -ab 64 -vol 1024 "
              "\"D:\\Out\\Holiday.mp4\" -s 320x240");

    settings.profileSetting = 2;
    EXPECT_EQ(ExpandIpodTemplate("-s $SIZE -ab $AUDIOBITRATE", Inputs(), settings), "-s $SIZE -ab $AUDIOBITRATE");
}

}  // namespace
