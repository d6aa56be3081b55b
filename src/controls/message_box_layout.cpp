#include "controls/message_box_layout.h"

namespace {

// Win32 dialog results, repeated here because this file never sees windows.h.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

constexpr int kMinimumWidth = 180;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 20;

}  // namespace

MessageBoxKind DescribeMessageBoxType(unsigned type) {
    MessageBoxKind kind;
    switch (type & 0xF0) {
        case 0x10:
            kind.icon = MessageIcon::kError;
            kind.title = "Error";
            break;
        case 0x20:
            kind.icon = MessageIcon::kQuestion;
            kind.title = "Question";
            break;
        case 0x30:
            kind.icon = MessageIcon::kWarning;
            kind.title = "Warning";
            break;
        default:
            kind.icon = MessageIcon::kInformation;
            kind.title = "Information";
            break;
    }
    switch (type & 0x0F) {
        case 1:
            kind.buttons = MessageButtons::kOkCancel;
            break;
        case 4:
            kind.buttons = MessageButtons::kYesNo;
            break;
        default:
            kind.buttons = MessageButtons::kOk;
            break;
    }
    return kind;
}

const char* FirstButtonText(MessageButtons buttons) { return buttons == MessageButtons::kYesNo ? "Yes" : "OK"; }

const char* SecondButtonText(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOkCancel:
            return "Cancel";
        case MessageButtons::kYesNo:
            return "No";
        default:
            return nullptr;
    }
}

int AcceptResult(MessageButtons buttons) { return buttons == MessageButtons::kYesNo ? kIdYes : kIdOk; }
int DeclineResult(MessageButtons buttons) { return buttons == MessageButtons::kYesNo ? kIdNo : kIdCancel; }

MessageBoxLayout LayOutMessageBox(const std::vector<TextExtent>& lines, MessageButtons buttons) {
    // The running width keeps 10 pixels of slack after the widest line seen so
    // far; a later line only widens the box when it is wider than that.
    int w = 0;
    int h = 0;
    for (const TextExtent& line : lines) {
        if (line.cx > w) w = line.cx + 10;
        h += line.cy + 1;
    }
    const int labelWidth = w + 2;
    const int labelHeight = h + 2;

    MessageBoxLayout layout;
    layout.width = labelWidth + 50 < kMinimumWidth ? kMinimumWidth : labelWidth + 50;
    layout.height = labelHeight + 100;
    const int W = layout.width;
    const int H = layout.height;
    layout.icon = RectAt(4, (H - kIconSize) / 2, kIconSize, kIconSize);
    layout.message = RectAt(36, (H - labelHeight) / 2, labelWidth, labelHeight);
    layout.closeButton = RectAt(W - 32, 5, 18, 18);
    layout.title = RectAt(4, 5, 120, 16);
    const int buttonY = H - 40;
    if (buttons == MessageButtons::kOk) {
        layout.firstButton = RectAt(W / 2 - 35, buttonY, kButtonWidth, kButtonHeight);
    } else {
        layout.firstButton = RectAt(W / 2 - 72, buttonY, kButtonWidth, kButtonHeight);
        layout.secondButton = RectAt(W / 2 + 2, buttonY, kButtonWidth, kButtonHeight);
    }
    return layout;
}
