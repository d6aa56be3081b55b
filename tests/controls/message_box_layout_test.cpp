#include "controls/message_box_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

bool Inside(const LayoutRect& part, const MessageBoxLayout& box) {
    return part.left >= 0 && part.top >= 0 && part.right <= box.width && part.bottom <= box.height;
}

// Whatever the order of its lines, the box holds the message, which is as wide
// as the widest line with at most 10 pixels to spare, and centres its buttons
// below it.
TEST(MessageBoxLayout, TheWidestLineDecidesTheWidthWhereverItStands) {
    std::vector<TextExtent> lines = {{100, 14}, {105, 14}, {200, 16}};  // the widest last
    do {
        for (MessageButtons buttons : {MessageButtons::kOk, MessageButtons::kYesNo}) {
            const MessageBoxLayout layout = LayOutMessageBox(lines, buttons);
            EXPECT_GE(layout.message.Width(), 202);
            EXPECT_LE(layout.message.Width(), 212);
            EXPECT_EQ(layout.message.Height(), 15 + 15 + 17 + 2);
            const LayoutRect& last = buttons == MessageButtons::kOk ? layout.firstButton : layout.secondButton;
            for (const LayoutRect& part : {layout.icon, layout.message, layout.closeButton, layout.firstButton, last}) {
                EXPECT_TRUE(Inside(part, layout));
            }
            EXPECT_LE(layout.icon.right, layout.message.left);
            EXPECT_LT(layout.message.bottom, layout.firstButton.top);
            EXPECT_LE(std::abs(layout.firstButton.left + last.right - layout.width), 1) << "buttons centred";
            EXPECT_LE(std::abs(layout.message.top - (layout.height - layout.message.bottom)), 1) << "centred";
        }
    } while (std::next_permutation(lines.begin(), lines.end(),
                                   [](const TextExtent& a, const TextExtent& b) { return a.cx < b.cx; }));
}

TEST(MessageBoxLayout, OneShortLineGivesTheNarrowestBoxAndNoSecondButton) {
    const MessageBoxLayout layout = LayOutMessageBox({{60, 14}}, MessageButtons::kOk);
    EXPECT_EQ(layout.width, 180);
    EXPECT_EQ(layout.secondButton, LayoutRect{});
    // The narrowest box holds a line of up to 118 pixels.
    EXPECT_EQ(LayOutMessageBox({{118, 14}}, MessageButtons::kOk).width, 180);
    EXPECT_EQ(LayOutMessageBox({{119, 14}}, MessageButtons::kOk).width, 181);
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
