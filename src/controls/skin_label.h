#pragma once

#include <windows.h>

#include <string>

#include "controls/label_text.h"
#include "framework/window.h"

// Every static text of the skinned windows. The label keeps its own copy of
// its text, splits it into lines at line feeds and paints it in black bold
// "Tahoma" straight over whatever the parent has drawn: it has no background
// of its own, so a new text repaints the parent under it.
//
// Its text is read through Text(): the control's own window text may be
// longer than what the label keeps and shows.
class CSkinLabel : public CWindow {
public:
    const std::string& Text() const { return text_.Text(); }
    int LineCount() const { return text_.LineCount(); }
    // Line index without its line feed, at most 255 characters.
    std::string GetLine(int index) const { return text_.Line(index); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    void OnSetText(LPARAM lParam);
    void OnPaint();
    void RepaintParentUnder();

    DWORD style_ = 0;
    LabelText text_;
};
