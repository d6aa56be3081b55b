#include "controls/message_box_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxLayout, OneShortLineGivesTheMinimumWidthAndOneCentredButton) {
    MessageBoxLayout layout = LayOutMessageBox({{60, 14}}, MessageButtons::kOk);
    EXPECT_EQ(layout.width, 180);
    EXPECT_EQ(layout.height, 117);  // 14 + 1 + 2 + 100
    EXPECT_EQ(layout.message, RectAt(36, 50, 72, 17));
    EXPECT_EQ(layout.icon, RectAt(4, 42, 32, 32));
    EXPECT_EQ(layout.closeButton, RectAt(148, 5, 18, 18));
    EXPECT_EQ(layout.title, RectAt(4, 5, 120, 16));
    EXPECT_EQ(layout.firstButton, RectAt(55, 77, 70, 20));
    EXPECT_EQ(layout.secondButton, LayoutRect{});
}

TEST(MessageBoxLayout, ThreeLinesGrowByEachLineAndTheRunningWidthRule) {
    // The second line is wider than the first but within its 10 pixels of
    // slack, so only the third widens the box.
    MessageBoxLayout layout = LayOutMessageBox({{100, 14}, {105, 14}, {200, 16}}, MessageButtons::kYesNo);
    EXPECT_EQ(layout.message.Width(), 212);
    EXPECT_EQ(layout.message.Height(), 49);  // 15 + 15 + 17 + 2
    EXPECT_EQ(layout.width, 262);
    EXPECT_EQ(layout.height, 149);
    EXPECT_EQ(layout.message, RectAt(36, 50, 212, 49));
    EXPECT_EQ(layout.firstButton, RectAt(59, 109, 70, 20));
    EXPECT_EQ(layout.secondButton, RectAt(133, 109, 70, 20));

    // The widest line first: the narrower ones after it change nothing.
    EXPECT_EQ(LayOutMessageBox({{200, 16}, {100, 14}, {105, 14}}, MessageButtons::kOk).width, 262);
}

TEST(MessageBoxLayout, MinimumWidthBoundary) {
    EXPECT_EQ(LayOutMessageBox({{118, 14}}, MessageButtons::kOk).width, 180);
    EXPECT_EQ(LayOutMessageBox({{119, 14}}, MessageButtons::kOk).width, 181);
    EXPECT_EQ(LayOutMessageBox({{0, 14}}, MessageButtons::kOk).width, 180);
}

TEST(MessageBoxType, IconTitleAndButtonsFromTheTypeBits) {
    MessageBoxKind error = DescribeMessageBoxType(16);
    EXPECT_EQ(error.icon, MessageIcon::kError);
    EXPECT_STREQ(error.title, "Error");
    EXPECT_EQ(error.buttons, MessageButtons::kOk);
    EXPECT_EQ(SecondButtonText(error.buttons), nullptr);

    MessageBoxKind question = DescribeMessageBoxType(0x24);
    EXPECT_EQ(question.icon, MessageIcon::kQuestion);
    EXPECT_STREQ(question.title, "Question");
    EXPECT_STREQ(FirstButtonText(question.buttons), "Yes");
    EXPECT_STREQ(SecondButtonText(question.buttons), "No");
    EXPECT_EQ(AcceptResult(question.buttons), 6);
    EXPECT_EQ(DeclineResult(question.buttons), 7);

    MessageBoxKind warning = DescribeMessageBoxType(0x31);
    EXPECT_EQ(warning.icon, MessageIcon::kWarning);
    EXPECT_STREQ(SecondButtonText(warning.buttons), "Cancel");
    EXPECT_EQ(AcceptResult(warning.buttons), 1);
    EXPECT_EQ(DeclineResult(warning.buttons), 2);
}

TEST(MessageBoxType, UnusedCodesFallBackToInformationAndOk) {
    // Codes 2, 3, 5 and 6 show a single OK, which never answers Yes or No.
    for (unsigned type : {0x00u, 0x40u, 0x42u, 0x43u, 0x05u, 0x06u, 0xF0u}) {
        MessageBoxKind kind = DescribeMessageBoxType(type);
        EXPECT_EQ(kind.icon, MessageIcon::kInformation) << type;
        EXPECT_STREQ(kind.title, "Information") << type;
        EXPECT_EQ(kind.buttons, MessageButtons::kOk) << type;
        EXPECT_EQ(AcceptResult(kind.buttons), 1) << type;
        EXPECT_EQ(DeclineResult(kind.buttons), 2) << type;
    }
}

}  // namespace
