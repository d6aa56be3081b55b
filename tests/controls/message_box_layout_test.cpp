#include "controls/message_box_layout.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(MessageBoxLayout, OneShortLineGivesTheMinimumWidthAndOneCentredButton) {
    MessageBoxLayout layout = LayOutMessageBox({{60, 14}}, MessageButtons::kOk);
    EXPECT_EQ(std::make_pair(layout.width, layout.height), std::make_pair(180, 117));  // 14 + 1 + 2 + 100 high
    EXPECT_EQ(layout.message, RectAt(36, 50, 72, 17));
    EXPECT_EQ(layout.icon, RectAt(4, 42, 32, 32));
    EXPECT_EQ(layout.closeButton, RectAt(148, 5, 18, 18));
    EXPECT_EQ(layout.firstButton, RectAt(55, 77, 70, 20));
    EXPECT_EQ(layout.secondButton, LayoutRect{});
    // The narrowest box holds a line of up to 118 pixels.
    EXPECT_EQ(LayOutMessageBox({{118, 14}}, MessageButtons::kOk).width, 180);
    EXPECT_EQ(LayOutMessageBox({{119, 14}}, MessageButtons::kOk).width, 181);
}

TEST(MessageBoxLayout, ThreeLinesGrowByEachLineAndTheRunningWidthRule) {
    // The second line is wider than the first but within its 10 pixels of
    // slack, so only the third widens the box.
    MessageBoxLayout layout = LayOutMessageBox({{100, 14}, {105, 14}, {200, 16}}, MessageButtons::kYesNo);
    EXPECT_EQ(std::make_pair(layout.width, layout.height), std::make_pair(262, 149));
    EXPECT_EQ(layout.message, RectAt(36, 50, 212, 49));  // 15 + 15 + 17 + 2 high
    EXPECT_EQ(layout.firstButton, RectAt(59, 109, 70, 20));
    EXPECT_EQ(layout.secondButton, RectAt(133, 109, 70, 20));
    EXPECT_EQ(LayOutMessageBox({{200, 16}, {100, 14}, {105, 14}}, MessageButtons::kOk).width, 262);
}

TEST(MessageBoxType, UnusedCodesShowInformationAndASingleOk) {
    EXPECT_STREQ(DescribeMessageBoxType(0x24).title, "Question");
    EXPECT_EQ(DescribeMessageBoxType(0x31).icon, MessageIcon::kWarning);
    // Codes 2, 3, 5 and 6 show a single OK, which never answers Yes or No.
    for (unsigned type : {0x40u, 0x42u, 0x43u, 0x05u, 0x06u, 0xF0u}) {
        MessageBoxKind kind = DescribeMessageBoxType(type);
        EXPECT_EQ(kind.icon, MessageIcon::kInformation) << type;
        EXPECT_EQ(kind.buttons, MessageButtons::kOk) << type;
        EXPECT_EQ(AcceptResult(kind.buttons), 1) << type;
        EXPECT_EQ(DeclineResult(kind.buttons), 2) << type;
    }
}

}  // namespace
