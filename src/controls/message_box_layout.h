#pragma once

#include <vector>

#include "controls/layout_rect.h"
#include "controls/text_extent.h"

// What a skinned message box shows for a Win32-style type (button code in bits
// 0-3, icon code in bits 4-7), how big it is for its text and where its
// children go. The program itself uses the types 0 and 16.

enum class MessageIcon { kError, kWarning, kQuestion, kInformation };
enum class MessageButtons { kOk, kOkCancel, kYesNo };

struct MessageBoxKind {
    MessageIcon icon = MessageIcon::kInformation;
    const char* title = "";  // shown when the caller gives no caption
    MessageButtons buttons = MessageButtons::kOk;
};

// Icon codes other than error, warning and question show the information
// icon; button codes other than OK/Cancel and Yes/No show a single "OK".
MessageBoxKind DescribeMessageBoxType(unsigned type);

const char* FirstButtonText(MessageButtons buttons);   // "OK" or "Yes"
const char* SecondButtonText(MessageButtons buttons);  // "Cancel" or "No"; nullptr when hidden

// The first button and Enter accept; the second button, the close button,
// Escape and WM_CLOSE decline.
int AcceptResult(MessageButtons buttons);   // IDYES or IDOK
int DeclineResult(MessageButtons buttons);  // IDNO or IDCANCEL

struct MessageBoxLayout {
    int width = 0;
    int height = 0;
    LayoutRect icon;
    LayoutRect message;
    LayoutRect closeButton;
    LayoutRect title;
    LayoutRect firstButton;
    LayoutRect secondButton;  // empty with one button
};

// Sizes the box to the extents of its message lines (in the message font).
MessageBoxLayout LayOutMessageBox(const std::vector<TextExtent>& lines, MessageButtons buttons);
