#include "controls/skin_combo_box.h"

#include <algorithm>
#include <stdexcept>

#include "controls/item_column.h"
#include "controls/skin_paint.h"
#include "controls/wide_text.h"
#include "framework/application.h"
#include "framework/gdi.h"

namespace {

constexpr int kFaceHeight = 18;
constexpr int kTextX = 3;
constexpr int kTextY = 2;
// Around a line of the font: the face's frame and margins, as the system's
// drop-down list has them.
constexpr int kFaceMargin = 8;
// The window's extra bytes: the font the dialog gives it, and the height of
// its open list. Both are the window's own, like its size: they are set before
// the window is subclassed (by a dialog's WM_SETFONT and by moves).
constexpr int kFontSlot = 0;
constexpr int kListHeightSlot = sizeof(LONG_PTR);

int ClosedHeight(HWND combo) {
    CClientDC screen(combo);
    CSelection selection(screen.Get(), reinterpret_cast<HFONT>(GetWindowLongPtrA(combo, kFontSlot)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen.Get(), &metrics);
    return metrics.tmHeight + kFaceMargin;
}

// A height given to the window is its face's and its list's together.
void SplitHeight(HWND combo, WINDOWPOS& place) {
    if (place.flags & SWP_NOSIZE) return;
    const int face = ClosedHeight(combo);
    SetWindowLongPtrA(combo, kListHeightSlot, std::max(0, place.cy - face));
    place.cy = face;
}

// A new font sizes the face again; face and list keep their height together.
void SetFont(HWND combo, WPARAM font, bool redraw) {
    SetWindowLongPtrA(combo, kFontSlot, static_cast<LONG_PTR>(font));
    RECT place = {};
    GetWindowRect(combo, &place);
    const int height = place.bottom - place.top + static_cast<int>(GetWindowLongPtrA(combo, kListHeightSlot));
    SetWindowPos(combo, nullptr, 0, 0, place.right - place.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (redraw) InvalidateRect(combo, nullptr, FALSE);
}

LRESULT CALLBACK ComboClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            SetFont(hwnd, wParam, LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtrA(hwnd, kFontSlot);
        case WM_WINDOWPOSCHANGING:
            SplitHeight(hwnd, *reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterComboClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(ResourceModule(), CSkinComboBox::kClassName, &windowClass)) return true;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ComboClassProc;
    windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);
    windowClass.hInstance = ResourceModule();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CSkinComboBox::kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

// An ANSI text as the system's combo box takes it, in UTF-8.
std::string FromAnsi(const char* text) {
    if (!text) return std::string();
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::string();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return ToUtf8(wide);
}

}  // namespace

CSkinComboBox::CSkinComboBox() : style_(CurrentSkin().combo) {
    if (!RegisterComboClass()) throw std::runtime_error("the window class ClipvaneComboBox cannot be registered");
}

void CSkinComboBox::SelectAndNotify(int index) {
    if (index < 0 || !Handle()) return;
    PostMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Handle()));
    if (index != current_) OnSetCurSel(static_cast<WPARAM>(index));
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinComboBox::ShowDropDown() {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    std::vector<TextExtent> extents;
    {
        CClientDC screen(Handle());
        CSelection selection(screen.Get(), font);
        for (const std::string& text : items_) {
            const SIZE size = Utf8Extent(screen.Get(), text);
            extents.push_back({size.cx, size.cy});
        }
    }
    RECT window = {};
    GetWindowRect(Handle(), &window);
    RECT client = {};
    GetClientRect(Handle(), &client);
    const DropLayout layout = MeasureDropWindow(extents, static_cast<int>(GetWindowLongPtrA(Handle(), kListHeightSlot)),
                                                window.right - window.left);
    const LayoutRect place =
        PlaceDropWindow({window.left, window.top, window.right, window.bottom}, client.bottom, layout.width,
                        layout.height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    drop_.Open(*this, style_, font, items_, layout, {place.left, place.top, place.right, place.bottom});
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
        case CB_ADDSTRING:
            return OnAddString(reinterpret_cast<const char*>(lParam));
        case CB_RESETCONTENT:
            OnResetContent();
            return CB_OKAY;
        case CB_GETCOUNT:
            return Count();
        case CB_GETCURSEL:
            return current_;
        case CB_SETCURSEL:
            return OnSetCurSel(wParam);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return AnswerTextRequest(Handle(), message, wParam, lParam, ShownText());
        case CB_GETLBTEXT:
            return OnGetItemText(wParam, reinterpret_cast<char*>(lParam));
        case CB_GETLBTEXTLEN:
            return IsItem(wParam) ? static_cast<LRESULT>(ToAnsi(items_[wParam]).size()) : CB_ERR;
        case CB_FINDSTRINGEXACT:
            return OnFindStringExact(wParam, reinterpret_cast<const char*>(lParam));
        case CB_GETITEMDATA:
            return IsItem(wParam) ? itemData_[wParam] : CB_ERR;
        case CB_SETITEMDATA:
            if (!IsItem(wParam)) return CB_ERR;
            itemData_[wParam] = lParam;
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return drop_.Shown();
        case CB_SHOWDROPDOWN:
            OnShowDropDown(wParam != 0);
            return TRUE;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;

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

LRESULT CSkinComboBox::OnAddString(const char* text) {
    items_.push_back(FromAnsi(text));
    itemData_.push_back(0);
    return Count() - 1;
}

void CSkinComboBox::OnResetContent() {
    items_.clear();
    itemData_.clear();
    current_ = -1;
    InvalidateRect(Handle(), nullptr, FALSE);
}

// An index out of range clears the selection and answers CB_ERR.
LRESULT CSkinComboBox::OnSetCurSel(WPARAM index) {
    current_ = index < items_.size() ? static_cast<int>(index) : -1;
    InvalidateRect(Handle(), nullptr, FALSE);
    return current_ >= 0 ? current_ : CB_ERR;
}

// The caller's buffer holds the whole text, as CB_GETLBTEXTLEN told it.
LRESULT CSkinComboBox::OnGetItemText(WPARAM index, char* buffer) const {
    if (!IsItem(index) || !buffer) return CB_ERR;
    const std::string text = ToAnsi(items_[index]);
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

// Case-insensitive, from the item after `after` round to it, as a list box searches.
LRESULT CSkinComboBox::OnFindStringExact(WPARAM after, const char* text) const {
    if (!text || !*text || items_.empty()) return CB_ERR;
    const std::wstring wanted = ToWide(FromAnsi(text));
    const size_t start = IsItem(after) ? after + 1 : 0;
    for (size_t step = 0; step < items_.size(); ++step) {
        const size_t index = (start + step) % items_.size();
        if (lstrcmpiW(ToWide(items_[index]).c_str(), wanted.c_str()) == 0) return static_cast<LRESULT>(index);
    }
    return CB_ERR;
}

void CSkinComboBox::OnShowDropDown(bool show) {
    if (show && !drop_.Shown()) ShowDropDown();
    if (!show) CloseDropDown();
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
                SelectAndNotify(WrapStep(current_, forward ? 1 : -1, Count()));
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
    if (current_ >= 0) {
        const std::string& text = items_[static_cast<size_t>(current_)];
        CSavedDC saved(dc);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, style_.textColor);
        IntersectClipRect(dc, 0, 0, client.right - 18, kFaceHeight);
        TextOutUtf8(dc, kTextX, kTextY, text);
    }
    paint.Present();
}
