#pragma once

#include <windows.h>

#include <string>

#include "controls/message_box_layout.h"
#include "controls/message_icon.h"
#include "controls/skin_button.h"
#include "controls/skin_label.h"
#include "framework/dialog.h"

// Shows a message to the user in a borderless box painted with the skin's
// background: a title line, an icon, the message (lines split at line feeds),
// one or two buttons and a close button, sized to the text and centred over
// the main window. The type is a Win32 message-box type: button code in bits
// 0-3 (0 OK, 1 OK/Cancel, 4 Yes/No), icon code in bits 4-7. Returns IDOK,
// IDCANCEL, IDYES or IDNO. The program uses the types 0 and 16.
int SkinMessageBox(const char* text, const char* caption, unsigned type);

// The dialog behind SkinMessageBox, for one call.
class CSkinMessageBox : public CDialog {
public:
    CSkinMessageBox(const char* text, const char* caption, unsigned type);

    // The answer: the first button or Enter accept; the second button, the
    // close button, Escape and closing the window decline.
    int Answer() const { return answer_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void SetUpCloseButton();
    void DrawButtonFaces(HDC dc);
    MessageBoxLayout MeasureAndLayOut();
    void PlaceWindow(int width, int height);
    void PlaceChildren(const MessageBoxLayout& layout);

    CSkinLabel title_;
    CSkinButton first_;
    CSkinButton second_;
    CSkinButton close_;
    CMessageIcon icon_;
    CSkinLabel message_;
    std::string text_;
    std::string caption_;
    MessageBoxKind kind_;
    int answer_;
};
