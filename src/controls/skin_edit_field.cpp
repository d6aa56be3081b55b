#include "controls/skin_edit_field.h"

#include "controls/wide_text.h"
#include "framework/gdi.h"

namespace {

constexpr int kTextX = 3;
constexpr LONG kTypeBits = 0x1F;

}  // namespace

CSkinEditField::CSkinEditField() : style_(CurrentSkin().editField) {}

void CSkinEditField::SetFieldText(const char* text) {
    text_.Set(text);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CSkinEditField::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case ReflectedMessage(WM_DRAWITEM):
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return AnswerTextRequest(Handle(), message, wParam, lParam, text_.Text());
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinEditField::PreSubclassWindow() {
    text_.Set("");
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, (style & ~kTypeBits) | BS_OWNERDRAW);
}

// Everything but the outermost pixel of the control: the stretched background
// and the text, vertically centred, in the control's own font.
void CSkinEditField::OnDrawItem(const DRAWITEMSTRUCT& item) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    CBufferDC buffer(item.hDC, width, height);
    if (!buffer) return;
    const HDC dc = buffer.Get();
    if (style_.background.Empty()) {
        // Without its skin element the field is a plain box.
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    } else {
        CMemoryDC source(dc);
        CSelection selection(source.Get(), style_.background.bitmap);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, width, height, source.Get(), 0, 0, style_.background.width, style_.background.height,
                   SRCCOPY);
    }
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    CSelection fontSelection(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, style_.textColor);
    const std::string& text = text_.Text();
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    TextOutUtf8(dc, kTextX, (height - metrics.tmHeight) / 2, text);
    BitBlt(item.hDC, 1, 1, width - 2, height - 2, dc, 1, 1, SRCCOPY);
}
