#include "controls/message_box_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The message has room for every line and stands centred above the buttons;
// that it is as wide as its widest line, wherever that line stands, with at
// most 10 pixels to spare, and where the parts lie for any lines, is the
// control_layout fuzz harness's. A short line gives the narrowest box, which
// holds a line of up to 118 pixels; a single OK leaves no second button.
TEST(MessageBoxLayout, TheLinesDecideTheSizeAndTheMessageStandsCentredAboveTheButtons) {
    for (MessageButtons buttons : {MessageButtons::kOk, MessageButtons::kYesNo}) {
        const MessageBoxLayout layout = LayOutMessageBox({{100, 14}, {105, 14}, {200, 16}}, buttons);
        EXPECT_GE(layout.message.Height(), 14 + 14 + 16) << "room for every line";
        EXPECT_LT(layout.message.bottom, layout.firstButton.top);
        EXPECT_LE(std::abs(layout.message.top - (layout.height - layout.message.bottom)), 1) << "centred";
    }
    const MessageBoxLayout narrowest = LayOutMessageBox({{60, 14}}, MessageButtons::kOk);
    EXPECT_EQ(narrowest.width, 180);
    EXPECT_EQ(narrowest.secondButton, LayoutRect{});
    EXPECT_EQ(LayOutMessageBox({{119, 14}}, MessageButtons::kOk).width, 181);
}

}  // namespace
