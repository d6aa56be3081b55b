#include "controls/skin_button.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <utility>

#include "controls/image_placement.h"
#include "controls/skin_paint.h"
#include "controls/skin_text.h"
#include "controls/wide_text.h"
#include "framework/application.h"

namespace {

// Button styles: the type sits in the low bits, and bit 0x2 marks the check-box types.
constexpr LONG kTypeBits = 0x1F;
constexpr LONG kCheckBoxBit = 0x2;
constexpr UINT_PTR kTooltipToolId = 1;
constexpr int kTooltipWidth = 400;

}  // namespace

CSkinButton::CSkinButton() { SetDefaultColors(false); }

CSkinButton::~CSkinButton() {
    if (tooltip_) DestroyWindow(tooltip_);
}

int CSkinButton::SetIcons(int hoverId, int idleId) {
    ClearImages();
    CButtonImage hover;
    CButtonImage idle;
    if (hover.LoadIconResource(hoverId) != CButtonImage::Loaded::kOk) return kNoImageInfo;
    if (idleId != 0 && idle.LoadIconResource(idleId) != CButtonImage::Loaded::kOk) return kNoImageInfo;
    hoverImage_ = std::move(hover);
    idleImage_ = std::move(idle);
    Repaint();
    return kOk;
}

int CSkinButton::SetBitmaps(int hoverId, COLORREF hoverKey, int idleId, COLORREF idleKey) {
    ClearImages();
    CButtonImage hover;
    CButtonImage idle;
    CButtonImage::Loaded loaded = hover.LoadBitmapResource(hoverId, hoverKey);
    if (loaded == CButtonImage::Loaded::kOk && idleId != 0) loaded = idle.LoadBitmapResource(idleId, idleKey);
    if (loaded == CButtonImage::Loaded::kNoInfo) return kNoImageInfo;
    if (loaded == CButtonImage::Loaded::kNoMask) return kNoMask;
    hoverImage_ = std::move(hover);
    idleImage_ = std::move(idle);
    Repaint();
    return kOk;
}

int CSkinButton::SetAlignment(int alignment, bool repaint) {
    if (alignment < kImageLeft || alignment > kImageOverlap) return kBadAlignment;
    alignment_ = alignment;
    if (repaint) Repaint();
    return kOk;
}

int CSkinButton::SetStateColor(int slot, COLORREF color, bool repaint) {
    if (slot < 0 || slot > kFocusText) return kBadSlot;
    colors_[slot] = color;
    if (repaint) Repaint();
    return kOk;
}

int CSkinButton::SetDefaultColors(bool repaint) {
    for (int slot : {kActiveBackground, kIdleBackground, kFocusBackground}) colors_[slot] = GetSysColor(COLOR_BTNFACE);
    for (int slot : {kActiveText, kIdleText, kFocusText}) colors_[slot] = GetSysColor(COLOR_BTNTEXT);
    if (repaint) Repaint();
    return kOk;
}

int CSkinButton::SetDrawBorder(bool draw, bool repaint) {
    drawBorder_ = draw;
    if (repaint) Repaint();
    return kOk;
}

void CSkinButton::SetTransparent(bool repaint) {
    transparent_ = true;
    backgroundCache_.Reset();
    if (repaint) Repaint();
}

void CSkinButton::SetTooltipText(const char* text, bool activate) {
    if (!text) return;
    EnsureTooltip();
    if (!tooltip_) return;
    std::wstring wide = ToWide(text);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = kTooltipToolId;
    tool.lpszText = &wide[0];
    if (SendMessageA(tooltip_, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        GetClientRect(Handle(), &tool.rect);
        SendMessageA(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_ACTIVATE, activate ? TRUE : FALSE, 0);
}

void CSkinButton::SetCheck(bool checked, bool repaint) {
    if (!checkMode_) return;
    checked_ = checked;
    if (repaint) Repaint();
}

bool CSkinButton::PreTranslateMessage(MSG* message) {
    if (message->hwnd != Handle()) return false;
    EnsureTooltip();
    if (tooltip_) {
        MSG relayed = *message;
        SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    if (message->message == WM_LBUTTONDBLCLK) message->message = WM_LBUTTONDOWN;
    return false;
}

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case ReflectedMessage(WM_DRAWITEM):
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case ReflectedMessage(WM_CTLCOLORBTN):
            return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
        case ReflectedMessage(WM_COMMAND):
            if (HIWORD(wParam) == BN_CLICKED) OnClicked();
            break;
        case BM_SETCHECK:
            checked_ = wParam == BST_CHECKED || wParam == BST_INDETERMINATE;
            Repaint();
            return 0;
        case BM_GETCHECK:
            return checked_ ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETSTYLE:
            return OnSetStyle(wParam, lParam);
        case WM_GETDLGCODE:
            return OnGetDlgCode(wParam, lParam);
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            EndHover();
            return 0;
        case WM_KILLFOCUS:
        case WM_CANCELMODE: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            EndHover();
            return result;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) EndHover();
            break;
        case WM_ENABLE: {
            const LRESULT result = DefWindowProc(message, wParam, lParam);
            OnEnable(wParam != FALSE);
            return result;
        }
        case WM_SYSCOLORCHANGE:
            DefWindowProc(message, wParam, lParam);
            OnSysColorChange();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            break;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CSkinButton::PreSubclassWindow() {
    LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    checkMode_ = (style & kCheckBoxBit) != 0;
    defaultButton_ = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    style = (style & ~kTypeBits) | BS_OWNERDRAW;
    SetWindowLongA(Handle(), GWL_STYLE, style);
}

void CSkinButton::Repaint() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CSkinButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    PaintState state;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    state.pressed = checkMode_ ? selected || checked_ : selected;
    state.focused = (item.itemState & ODS_FOCUS) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;

    const RECT& rect = item.rcItem;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    CBufferDC buffer(item.hDC, width, height);
    if (!buffer) return;
    const HDC dc = buffer.Get();
    SetViewportOrgEx(dc, -rect.left, -rect.top, nullptr);

    DrawBackground(dc, rect, state);
    if (drawBorder_) DrawBorder(dc, rect, state);

    const std::wstring text = ToWide(WindowTextOf(Handle()));
    const CButtonImage& image = ImageFor(state);
    RECT client = {};
    GetClientRect(Handle(), &client);
    ButtonContentInput input;
    input.item = {rect.left, rect.top, rect.right, rect.bottom};
    input.clientWidth = client.right;
    input.hasImage = !image.Empty();
    input.imageWidth = image.Width();
    input.imageHeight = image.Height();
    input.alignment = alignment_;
    input.hasText = !text.empty();
    input.pushedIn = state.pressed && !checkMode_;
    const ButtonContent content = PlaceButtonContent(input);
    image.Draw(dc, content.imageX, content.imageY, state.disabled);
    if (!text.empty()) {
        const RECT textRect = {content.textRect.left, content.textRect.top, content.textRect.right,
                               content.textRect.bottom};
        DrawCaption(dc, text, textRect, state);
    }
    BitBlt(item.hDC, rect.left, rect.top, width, height, dc, rect.left, rect.top, SRCCOPY);
}

void CSkinButton::DrawBackground(HDC dc, const RECT& item, const PaintState& state) {
    const int width = item.right - item.left;
    const int height = item.bottom - item.top;
    if (transparent_) {
        if (!backgroundCache_) CacheParentBackground(dc, width, height);
        CMemoryDC cacheDC(dc);
        CSelection cache(cacheDC.Get(), backgroundCache_.Get());
        BitBlt(dc, item.left, item.top, width, height, cacheDC.Get(), 0, 0, SRCCOPY);
        return;
    }
    const int slot = mouseOver_ || state.pressed ? kActiveBackground
                     : state.focused             ? kFocusBackground
                                                 : kIdleBackground;
    FillSolid(dc, item, colors_[slot]);
}

// The parent paints its background into a bitmap the size of the button, as
// it lies under the button; the copy is made once and reused by every paint,
// so a repaint of the button never makes the parent repaint.
void CSkinButton::CacheParentBackground(HDC reference, int width, int height) {
    const HWND parent = GetParent(Handle());
    CBitmapHandle cache(CreateCompatibleBitmap(reference, width, height));
    CMemoryDC dc(reference);
    if (!parent || !cache || !dc) return;
    RECT place = {};
    GetWindowRect(Handle(), &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    {
        CSelection selection(dc.Get(), cache.Get());
        SetViewportOrgEx(dc.Get(), -place.left, -place.top, nullptr);
        SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
        SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
    backgroundCache_ = std::move(cache);
}

void CSkinButton::DrawBorder(HDC dc, const RECT& item, const PaintState& state) {
    if (state.pressed) {
        Draw3dRect(dc, item, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHILIGHT));
    } else if (mouseOver_) {
        Draw3dRect(dc, item, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
}

const CButtonImage& CSkinButton::ImageFor(const PaintState& state) const {
    const bool active = checkMode_ ? state.pressed : state.pressed || mouseOver_;
    return active || idleImage_.Empty() ? hoverImage_ : idleImage_;
}

void CSkinButton::DrawCaption(HDC dc, const std::wstring& text, const RECT& textRect, const PaintState& state) {
    constexpr UINT kFormat = DT_WORDBREAK | DT_CENTER;
    // A caption whose wrapped lines are taller than the button would be cut
    // at both edges: it gets a smaller size instead, down to a readable 9 px.
    CFontHandle font;
    RECT measured = textRect;
    for (int height = kSkinTextHeight; height >= 9; --height) {
        font = MakeSkinTextFont(height);
        CSelection measuring(dc, font.Get());
        measured = textRect;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, kFormat | DT_CALCRECT);
        if (measured.bottom - measured.top <= textRect.bottom - textRect.top) break;
    }
    CSelection fontSelection(dc, font.Get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const LayoutRect centred = CentreInside({textRect.left, textRect.top, textRect.right, textRect.bottom},
                                            measured.right - measured.left, measured.bottom - measured.top);
    RECT place = {centred.left, centred.top, centred.right, centred.bottom};
    if (state.disabled) {
        RECT shadow = place;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, kFormat);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, kFormat);
    } else {
        const int slot = mouseOver_ || state.pressed ? kActiveText : state.focused ? kFocusText : kIdleText;
        DrawEmbossedText(dc, text, place, kFormat, colors_[slot]);
    }
    SetBkMode(dc, oldMode);
}

void CSkinButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    DefWindowProc(WM_MOUSEMOVE, wParam, lParam);
    // The point of the message itself, so that a move seen while the mouse is
    // captured outside the button ends the hover.
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &point);
    const HWND under = WindowFromPoint(point);
    if ((wParam & MK_LBUTTON) && !mouseOver_) return;
    if (under == Handle()) {
        if (mouseOver_) return;
        mouseOver_ = true;
        Repaint();
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = Handle();
        TrackMouseEvent(&track);
    } else {
        EndHover();
    }
}

void CSkinButton::EndHover() {
    if (!mouseOver_) return;
    mouseOver_ = false;
    Repaint();
}

// A disabled button cannot keep the focus; it goes on to the next tab stop.
// The system has already taken it away when the button held it, so only a
// focus that is nowhere is moved: a button disabled while another control
// holds the focus leaves that control alone.
void CSkinButton::OnEnable(bool enabled) {
    if (enabled) return;
    EndHover();
    const HWND focus = GetFocus();
    if (focus && focus != Handle()) return;
    const HWND parent = GetParent(Handle());
    if (!parent) return;
    const HWND next = GetNextDlgTabItem(parent, Handle(), FALSE);
    SetFocus(next && next != Handle() ? next : parent);
}

void CSkinButton::OnClicked() {
    SetFocus(Handle());
    if (!checkMode_) return;
    checked_ = !checked_;
    Repaint();
}

void CSkinButton::OnSysColorChange() {
    backgroundCache_.Reset();
    SetDefaultColors(true);
}

void CSkinButton::OnDestroy() {
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
}

LRESULT CSkinButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    const UINT type = static_cast<UINT>(wParam) & kTypeBits;
    if (type == BS_DEFPUSHBUTTON) defaultButton_ = true;
    if (type == BS_PUSHBUTTON) defaultButton_ = false;
    // The dialog manager moves the default between buttons with this message;
    // the button stays owner-drawn whatever type it is given.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(0x14)) | BS_OWNERDRAW, lParam);
}

LRESULT CSkinButton::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
    const LRESULT code = DefWindowProc(WM_GETDLGCODE, wParam, lParam);
    return code | (defaultButton_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void CSkinButton::ClearImages() {
    hoverImage_ = CButtonImage();
    idleImage_ = CButtonImage();
}

void CSkinButton::EnsureTooltip() {
    if (tooltip_ || !Handle()) return;
    // The system makes the button's top-level window the owner of this popup,
    // so the button destroys it itself.
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ResourceModule(), nullptr);
    if (!tooltip_) return;
    SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
}
