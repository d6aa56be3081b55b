#include "controls/label_text.h"

#include <gtest/gtest.h>

namespace {

// Lines, their limits and the text's: the control_layout fuzz harness.
TEST(LabelText, ANullTextClearsTheLabel) {
    LabelText label;
    label.Set("first\nsecond line\n");
    EXPECT_EQ(label.LineCount(), 3);
    label.Set(nullptr);
    EXPECT_EQ(label.Text(), "");
    EXPECT_EQ(label.LineCount(), 1);
}

TEST(LabelText, ALineWiderThanTheLabelWrapsAfterBlanksAndNeverSplitsAWord) {
    const auto characters = [](const std::string& text) { return static_cast<int>(text.size()); };
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(WrapLine("Video for Pocket PC", 10, characters), (Pieces{"Video for ", "Pocket PC"}));
    EXPECT_EQ(WrapLine("Windows-Mobile x", 5, characters), (Pieces{"Windows-Mobile ", "x"}));
    EXPECT_EQ(WrapLine("fits", 10, characters), (Pieces{"fits"}));
}

// Left (also for 3), centred or right by the style's low two bits, with equal room either side.
TEST(LabelText, LineXByAlignment) {
    EXPECT_EQ(LabelLineX(0, 100, 40), 2);
    EXPECT_EQ(LabelLineX(3, 100, 40), 2);
    EXPECT_EQ(LabelLineX(0x50000001, 100, 40), 30);
    EXPECT_EQ(LabelLineX(2, 100, 40) + 40 + LabelLineX(0, 100, 40), 100);
}

}  // namespace
