#include "controls/label_text.h"

#include <gtest/gtest.h>

namespace {

// Lines, their limits and the text's are the control_layout fuzz harness's,
// wrapping is the label_wrap harness's; here a null text clears the label.
TEST(LabelText, ANullTextClearsIt) {
    LabelText label;
    label.Set("first\nsecond line\n");
    label.Set(nullptr);
    EXPECT_EQ(label.Text(), "");
    EXPECT_EQ(label.LineCount(), 1);
}

}  // namespace
