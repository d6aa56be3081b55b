#include "controls/label_text.h"

#include <gtest/gtest.h>

namespace {

// Lines, their limits and the text's are the control_layout fuzz harness's,
// wrapping is the label_wrap harness's; here a null text clears the label,
// and each line stands left (also for 3), centred or right by the style's low
// two bits, with equal room either side.
TEST(LabelText, ANullTextClearsItAndLinesAlignByStyle) {
    LabelText label;
    label.Set("first\nsecond line\n");
    label.Set(nullptr);
    EXPECT_EQ(label.Text(), "");
    EXPECT_EQ(label.LineCount(), 1);

    EXPECT_EQ(LabelLineX(0, 100, 40), 2);
    EXPECT_EQ(LabelLineX(3, 100, 40), 2);
    EXPECT_EQ(LabelLineX(0x50000001, 100, 40), 30);
    EXPECT_EQ(LabelLineX(2, 100, 40) + 40 + LabelLineX(0, 100, 40), 100);
}

}  // namespace
