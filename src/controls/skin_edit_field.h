#pragma once

#include <windows.h>

#include <cstddef>

#include "controls/field_text.h"
#include "framework/window.h"
#include "skin/skin.h"

// A one-line display of text (the output directory) in a box painted from the
// skin's "edit_back" element. It only shows what the program puts into it.
// Attach it to a dialog's button; it becomes owner-drawn and paints when the
// parent reflects WM_DRAWITEM. Its window text, for screen readers and other
// programs, is the text it shows.
class CSkinEditField : public CWindow {
public:
    // Copies the display-field style of the loaded skin.
    CSkinEditField();

    // At most 511 characters are kept; a longer text is cut.
    void SetFieldText(const char* text);
    // Copies the text into buffer when it fits in size bytes (with its end)
    // and returns true; otherwise the buffer holds an empty text and the
    // result is false.
    bool GetFieldText(char* buffer, size_t size) const { return text_.CopyTo(buffer, size); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    void OnDrawItem(const DRAWITEMSTRUCT& item);

    EditFieldStyle style_;
    FieldText text_;
};
