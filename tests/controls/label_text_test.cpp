#include "controls/label_text.h"

#include <gtest/gtest.h>

namespace {

// Lines, their limits and the text's are the control_layout fuzz harness's;
// here a null text clears the label, a line wider than the label wraps after
// blanks and never splits a word, and each line stands left (also for 3),
// centred or right by the style's low two bits, with equal room either side.
TEST(LabelText, ANullTextClearsItWideLinesWrapAtBlanksAndLinesAlignByStyle) {
    LabelText label;
    label.Set("first\nsecond line\n");
    label.Set(nullptr);
    EXPECT_EQ(label.Text(), "");
    EXPECT_EQ(label.LineCount(), 1);

    const auto characters = [](const std::string& text) { return static_cast<int>(text.size()); };
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(WrapLine("Video for Pocket PC", 10, characters), (Pieces{"Video for ", "Pocket PC"}));
    EXPECT_EQ(WrapLine("Windows-Mobile x", 5, characters), (Pieces{"Windows-Mobile ", "x"}));
    EXPECT_EQ(WrapLine("fits", 10, characters), (Pieces{"fits"}));

    EXPECT_EQ(LabelLineX(0, 100, 40), 2);
    EXPECT_EQ(LabelLineX(3, 100, 40), 2);
    EXPECT_EQ(LabelLineX(0x50000001, 100, 40), 30);
    EXPECT_EQ(LabelLineX(2, 100, 40) + 40 + LabelLineX(0, 100, 40), 100);
}

}  // namespace
