#include "engine/cell_contents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "tasks/list_navigation.h"

namespace {

ConversionItem EncodingItem(double encoded, int needsExport) {
    ConversionItem item;  // a minute from the start
    item.endTime = 60.0;
    item.encodedTime = encoded;
    item.outputSizeKB = 2048;
    item.encodingSpeed = 12.5;
    item.status = kStatusEncoding;
    item.needsExport = needsExport;
    return item;
}

// Finished, failed, refused and canceled items each say what happened.
TEST(CellContents, ProgressOfBothFormsAndHowTheItemEnded) {
    EXPECT_EQ(ProgressFor(EncodingItem(30.4, 0)).text, "00:00:30    2.00MB    12.50Frames/s      %51 ");
    EXPECT_EQ(ProgressFor(EncodingItem(30.4, 1)).position, 75);
    EXPECT_FALSE(ProgressFor(EncodingItem(0.0, 0)).hasBar) << "nothing encoded yet";

    ConversionItem exporting = EncodingItem(0.0, 1);
    exporting.status = kStatusPlayerExport;
    exporting.exportPercent = 40.0;
    exporting.exportRemaining = 12.0;
    const ProgressCell export_cell = ProgressFor(exporting);
    EXPECT_EQ(export_cell.text, " 20.00%    Remain Time:00:00:42");
    EXPECT_EQ(export_cell.position, 20);

    ConversionItem odd = EncodingItem(std::nan(""), 0);
    odd.endTime = std::numeric_limits<double>::infinity();
    EXPECT_EQ(EncodingPercent(odd), 0) << "odd times never overflow into a percentage";
    ConversionItem noLength = EncodingItem(30.0, 0);
    noLength.endTime = noLength.beginTime;
    EXPECT_EQ(EncodingPercent(noLength), 0) << "a range without length is never divided by";

    ConversionItem item = EncodingItem(60.0, 0);
    item.failureReason = "would overwrite its source";
    const std::pair<int, const char*> ends[] = {{kStatusFailed, " Failed: would overwrite its source "},
                                                {kStatusWouldOverwriteSource, " Failed: would overwrite its source "},
                                                {kStatusCanceled, " Canceled "},
                                                {kStatusNone, ""}};
    for (const auto& [status, text] : ends) {
        item.status = status;
        EXPECT_EQ(ProgressFor(item).text, text) << status;
    }
    item.finished = 1;
    EXPECT_EQ(ProgressFor(item).text, " Finished ");
}

// The output names a row shows, and its tick, are the main window's cases.
TEST(CellContents, TheEndColumnShowsHours) {
    ConversionItem item;
    item.endTime = 3725.9;
    EXPECT_EQ(CellFor(item, kColumnEnd, {}).text, "01:02:05");
}

TEST(ListNavigation, PagesAndEndsOfAListOfTenRowsAndOfOne) {
    const auto target = [](NavigationKey key, int mark) { return NavigationTargetFor(key, mark, 10); };
    EXPECT_EQ(target(NavigationKey::PageDown, 0).row, 3);
    EXPECT_EQ(target(NavigationKey::PageDown, 8).row, 9);
    EXPECT_FALSE(target(NavigationKey::PageDown, 9).selectsRow);
    EXPECT_FALSE(target(NavigationKey::Up, 0).selectsRow);
    EXPECT_EQ(target(NavigationKey::End, 4).row, 9);
    EXPECT_FALSE(NavigationTargetFor(NavigationKey::Home, -1, 0).selectsRow) << "an empty list selects nothing";
    EXPECT_EQ(NavigationTargetFor(NavigationKey::Home, -1, 1).row, 0) << "a list of one row has a first row";
}

}  // namespace
