#include "controls/skin_message_box.h"

#include <vector>

#include "controls/image_placement.h"
#include "controls/skin_text.h"
#include "controls/wide_text.h"
#include "controls/window_drag.h"
#include "framework/application.h"
#include "resource_ids.h"
#include "skin/skin.h"

namespace {

// The face drawn under each text button, so that it looks like one.
constexpr COLORREF kButtonFace = RGB(236, 236, 236);
constexpr COLORREF kButtonEdge = RGB(96, 96, 96);

// Colours of the close button's caption: idle and focused, hovered or pressed.
constexpr COLORREF kCloseIdleText = RGB(49, 66, 97);
constexpr COLORREF kCloseActiveText = RGB(20, 20, 20);

// The four message icons, loaded on first use and kept for the whole process.
HICON MessageIconFor(MessageIcon icon) {
    static const HICON icons[] = {
        static_cast<HICON>(
            LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MESSAGE_ERROR), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)),
        static_cast<HICON>(
            LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MESSAGE_WARNING), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)),
        static_cast<HICON>(
            LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MESSAGE_QUESTION), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)),
        static_cast<HICON>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MESSAGE_INFORMATION), IMAGE_ICON, 32, 32,
                                      LR_DEFAULTCOLOR)),
    };
    return icons[static_cast<int>(icon)];
}

void MoveTo(HWND window, const LayoutRect& rect) {
    MoveWindow(window, rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
}

}  // namespace

int SkinMessageBox(const char* text, const char* caption, unsigned type) {
    CSkinMessageBox box(text, caption, type);
    // Without its template the message still has to reach the user.
    if (box.DoModal() == -1) {
        return MessageBoxW(DefaultOwner(), ToWide(text ? text : "").c_str(), ToWide(caption ? caption : "").c_str(),
                           type);
    }
    return box.Answer();
}

CSkinMessageBox::CSkinMessageBox(const char* text, const char* caption, unsigned type)
    : CDialog(IDD_SKIN_MESSAGEBOX),
      text_(text ? text : ""),
      caption_(caption ? caption : ""),
      kind_(DescribeMessageBoxType(type)),
      answer_(DeclineResult(kind_.buttons)) {}

LRESULT CSkinMessageBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            DrawSkinBackground(Handle(), reinterpret_cast<HDC>(wParam));
            DrawButtonFaces(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_NCHITTEST:
            return DragWindowHitTest();
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_MESSAGE_CLOSE && HIWORD(wParam) == BN_CLICKED) {
                OnCancel();
                return 0;
            }
            break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CSkinMessageBox::OnInitDialog() {
    CDialog::OnInitDialog();
    const HWND dialog = Handle();
    title_.SubclassDlgItem(IDC_MESSAGE_TITLE, dialog);
    first_.SubclassDlgItem(IDOK, dialog);
    second_.SubclassDlgItem(IDCANCEL, dialog);
    icon_.SubclassDlgItem(IDC_MESSAGE_ICON, dialog);
    message_.SubclassDlgItem(IDC_MESSAGE_TEXT, dialog);
    first_.SetTransparent();
    second_.SetTransparent();
    SetUpCloseButton();

    icon_.SetIcon(MessageIconFor(kind_.icon));
    // The box's own text is its title too, though only the label shows it:
    // screen readers and the taskbar read a window's text.
    const std::string title = caption_.empty() ? kind_.title : caption_;
    SetWindowTextOf(dialog, title);
    SetWindowTextOf(title_.Handle(), title);
    SetWindowTextOf(first_.Handle(), FirstButtonText(kind_.buttons));
    if (const char* second = SecondButtonText(kind_.buttons)) {
        SetWindowTextOf(second_.Handle(), second);
    } else {
        ShowWindow(second_.Handle(), SW_HIDE);
    }
    SetWindowTextOf(message_.Handle(), text_);

    const MessageBoxLayout layout = MeasureAndLayOut();
    PlaceWindow(layout.width, layout.height);
    PlaceChildren(layout);
    InvalidateRect(dialog, nullptr, TRUE);
    answer_ = DeclineResult(kind_.buttons);
    return TRUE;
}

// The text buttons are transparent: the rounded face under them, with its
// dark edge, is what shows them as buttons.
void CSkinMessageBox::DrawButtonFaces(HDC dc) {
    CSavedDC saved(dc);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCBrushColor(dc, kButtonFace);
    SetDCPenColor(dc, kButtonEdge);
    for (const HWND button : {first_.Handle(), second_.Handle()}) {
        if (!button || !(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT face = {};
        GetWindowRect(button, &face);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&face), 2);
        InflateRect(&face, 1, 1);
        RoundRect(dc, face.left, face.top, face.right, face.bottom, 6, 6);
    }
}

void CSkinMessageBox::SetUpCloseButton() {
    close_.SubclassDlgItem(IDC_MESSAGE_CLOSE, Handle());
    close_.SetIcons(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE);
    close_.SetTransparent();
    close_.SetDrawBorder(false);
    close_.SetAlignment(kImageAbove);
    close_.SetStateColor(CSkinButton::kIdleText, kCloseIdleText);
    close_.SetStateColor(CSkinButton::kActiveText, kCloseActiveText);
    close_.SetStateColor(CSkinButton::kFocusText, kCloseIdleText);
}

// Measures the message's lines in the font the label paints with.
MessageBoxLayout CSkinMessageBox::MeasureAndLayOut() {
    std::vector<TextExtent> lines;
    CClientDC dc(Handle());
    CFontHandle font = MakeSkinTextFont();
    CSelection selection(dc.Get(), font.Get());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc.Get(), &metrics);
    for (int index = 0; index < message_.LineCount(); ++index) {
        const std::string line = message_.GetLine(index);
        // An empty line still takes a line's height, as the label paints it.
        lines.push_back({Utf8Extent(dc.Get(), line).cx, metrics.tmHeight});
    }
    return LayOutMessageBox(lines, kind_.buttons);
}

// Centred over the owner's client area while the owner is visible, else over the screen.
void CSkinMessageBox::PlaceWindow(int width, int height) {
    const HWND owner = GetWindow(Handle(), GW_OWNER);
    LayoutRect area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner && IsWindowVisible(owner)) {
        RECT client = {};
        GetClientRect(owner, &client);
        MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&client), 2);
        area = {client.left, client.top, client.right, client.bottom};
    }
    const LayoutRect place = CentreInside(area, width, height);
    SetWindowPos(Handle(), nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkinMessageBox::PlaceChildren(const MessageBoxLayout& layout) {
    MoveTo(icon_.Handle(), layout.icon);
    MoveTo(message_.Handle(), layout.message);
    MoveTo(close_.Handle(), layout.closeButton);
    MoveTo(title_.Handle(), layout.title);
    MoveTo(first_.Handle(), layout.firstButton);
    if (layout.secondButton.Width() > 0) MoveTo(second_.Handle(), layout.secondButton);
}

void CSkinMessageBox::OnOK() {
    answer_ = AcceptResult(kind_.buttons);
    EndDialog(answer_);
}

void CSkinMessageBox::OnCancel() {
    answer_ = DeclineResult(kind_.buttons);
    EndDialog(answer_);
}
