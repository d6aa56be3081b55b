#include "controls/skin_combo_box.h"

#include <string>
#include <vector>

#include "controls/item_column.h"
#include "controls/skin_paint.h"
#include "controls/wide_text.h"
#include "framework/gdi.h"

namespace {

constexpr int kFaceHeight = 18;
constexpr int kTextX = 3;
constexpr int kTextY = 2;

// An item's text in UTF-8, read through the wide call.
std::string ItemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return ToUtf8(text);
}

}  // namespace

CSkinComboBox::CSkinComboBox() : style_(CurrentSkin().combo) {}

int CSkinComboBox::Count() const {
    const LRESULT count = SendMessageA(Handle(), CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

int CSkinComboBox::Current() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void CSkinComboBox::SelectAndNotify(int index) {
    if (index < 0 || !Handle()) return;
    PostMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Handle()));
    if (index != Current()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinComboBox::ShowDropDown() {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    std::vector<std::string> texts;
    std::vector<TextExtent> extents;
    {
        CClientDC screen(Handle());
        CSelection selection(screen.Get(), font);
        for (int i = 0; i < Count(); ++i) {
            texts.push_back(ItemText(Handle(), i));
            const SIZE size = Utf8Extent(screen.Get(), texts.back());
            extents.push_back({size.cx, size.cy});
        }
    }
    RECT dropped = {};
    SendMessageA(Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    RECT window = {};
    GetWindowRect(Handle(), &window);
    RECT client = {};
    GetClientRect(Handle(), &client);
    const DropLayout layout = MeasureDropWindow(extents, dropped.bottom - dropped.top, window.right - window.left);
    const LayoutRect place =
        PlaceDropWindow({window.left, window.top, window.right, window.bottom}, client.bottom, layout.width,
                        layout.height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    drop_.Open(*this, style_, font, std::move(texts), layout, {place.left, place.top, place.right, place.bottom});
}

void CSkinComboBox::CloseDropDown() {
    if (!drop_.Shown()) return;
    drop_.Close();
    InvalidateRect(Handle(), nullptr, FALSE);
}

bool CSkinComboBox::PreTranslateMessage(MSG* message) {
    // The dialog's own key handling would take Enter, Escape and the arrows first.
    if (message->hwnd != Handle()) return false;
    if (message->message == WM_KEYDOWN) return OnKeyDown(message->wParam);
    if (message->message == WM_SYSKEYDOWN) return OnSysKeyDown(message->wParam);
    return false;
}

LRESULT CSkinComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown();
            return 0;
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_MOUSEWHEEL:
        case WM_CHAR:
            return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) return 0;
            break;
        case WM_SYSKEYDOWN:
            if (OnSysKeyDown(wParam)) return 0;
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            OnKillFocus(reinterpret_cast<HWND>(wParam));
            return result;
        }
        case WM_SETFOCUS: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            InvalidateRect(Handle(), nullptr, FALSE);
            return result;
        }
        case WM_DESTROY:
            drop_.Close();
            break;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinComboBox::OnButtonDown() {
    SetFocus(Handle());
    if (drop_.Shown()) {
        CloseDropDown();
    } else {
        ShowDropDown();
    }
}

// Alt+Down and Alt+Up, like F4, open or close our list; the system's own list
// (which the real combo would open) never shows.
bool CSkinComboBox::OnSysKeyDown(WPARAM key) {
    if (key != VK_DOWN && key != VK_UP) return false;
    return OnKeyDown(VK_F4);
}

bool CSkinComboBox::OnKeyDown(WPARAM key) {
    const bool shown = drop_.Shown();
    switch (key) {
        case VK_TAB:
            return false;
        case VK_F4:
        case VK_RETURN:
            if (shown) {
                drop_.OnKey(VK_RETURN);
            } else {
                ShowDropDown();
            }
            return true;
        case VK_ESCAPE:
            if (shown) drop_.OnKey(key);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            const bool forward = key == VK_RIGHT || key == VK_DOWN;
            if (shown) {
                drop_.OnKey(key);
            } else {
                SelectAndNotify(WrapStep(Current(), forward ? 1 : -1, Count()));
            }
            return true;
        }
    }
    return true;
}

void CSkinComboBox::OnKillFocus(HWND next) {
    char className[64] = {};
    if (next) GetClassNameA(next, className, sizeof className);
    if (next != Handle() && lstrcmpA(className, CSkinComboWindow::kClassName) != 0) CloseDropDown();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinComboBox::OnPaint() {
    CBufferedPaint paint(Handle());
    if (!paint) return;
    const HDC dc = paint.Get();
    const RECT& client = paint.Client();
    FillSolid(dc, client, style_.darkFrameColor);
    StretchElement(dc, style_.face, client);
    DrawElement(dc, style_.arrow, client.right - style_.arrow.width - 1, 1);
    const int current = Current();
    if (current >= 0) {
        const std::string text = ItemText(Handle(), current);
        CSavedDC saved(dc);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, style_.textColor);
        IntersectClipRect(dc, 0, 0, client.right - 18, kFaceHeight);
        TextOutUtf8(dc, kTextX, kTextY, text);
    }
    paint.Present();
}
