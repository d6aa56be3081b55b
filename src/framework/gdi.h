#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>

// The one set of holders for GDI objects and device contexts. Windows refuses
// to delete an object that is still selected into a DC (Wine does not
// complain, so tests cannot catch it): select through CSelection, which puts
// the previous object back before the holders of the object and the DC go.
// Declare the DC holder first, then the object, then the selection, and they
// unwind in the right order.

// Owns a bitmap, brush, pen, font or region and deletes it.
template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : handle_(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(CGdiObject&& other) noexcept : handle_(other.Release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_ && handle_ != handle) DeleteObject(handle_);
        handle_ = handle;
    }
    // Gives up ownership, for instance to SetWindowRgn.
    Handle Release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_ = nullptr;
};

using CBitmapHandle = CGdiObject<HBITMAP>;
using CBrushHandle = CGdiObject<HBRUSH>;
using CPenHandle = CGdiObject<HPEN>;
using CFontHandle = CGdiObject<HFONT>;
using CRegionHandle = CGdiObject<HRGN>;

// Owns an icon or cursor made by LoadImage or CreateIconIndirect.
class CIconHandle {
public:
    CIconHandle() = default;
    explicit CIconHandle(HICON icon) : icon_(icon) {}
    ~CIconHandle() { Reset(); }
    CIconHandle(CIconHandle&& other) noexcept : icon_(other.icon_) { other.icon_ = nullptr; }
    CIconHandle& operator=(CIconHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.icon_);
            other.icon_ = nullptr;
        }
        return *this;
    }
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;

    HICON Get() const { return icon_; }
    explicit operator bool() const { return icon_ != nullptr; }
    void Reset(HICON icon = nullptr) {
        if (icon_ && icon_ != icon) DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
};

// Selects an object into a DC and selects the previous one back on leaving.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~CSelection() {
        if (old_) SelectObject(dc_, old_);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves a DC's state (clipping, selected objects, colours, modes) and restores it on leaving.
class CSavedDC {
public:
    explicit CSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~CSavedDC() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A memory DC compatible with another DC (the screen's when null).
class CMemoryDC {
public:
    explicit CMemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    ~CMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A memory DC with a bitmap of its own selected, for painting a whole control
// off screen and copying it to the screen in one step.
class CBufferDC {
public:
    CBufferDC(HDC reference, int width, int height)
        : dc_(reference),
          bitmap_(CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1)),
          selection_(dc_.Get(), bitmap_.Get()) {}
    CBufferDC(const CBufferDC&) = delete;
    CBufferDC& operator=(const CBufferDC&) = delete;

    HDC Get() const { return dc_.Get(); }
    explicit operator bool() const { return dc_ && bitmap_; }

private:
    CMemoryDC dc_;
    CBitmapHandle bitmap_;
    CSelection selection_;
};

// A memory DC with a bitmap kept from paint to paint, for a control that
// paints often: made again only when a paint needs more room than it has,
// freed with its owner.
class CKeptBufferDC {
public:
    HDC Get(HDC reference, int width, int height) {
        if (bitmap_ && width <= size_.cx && height <= size_.cy) return dc_->Get();
        selection_.reset();
        if (!dc_) dc_ = std::make_unique<CMemoryDC>(reference);
        const SIZE size = {std::max<LONG>(width, size_.cx), std::max<LONG>(height, size_.cy)};
        bitmap_.Reset(CreateCompatibleBitmap(reference, size.cx, size.cy));
        if (!*dc_ || !bitmap_) {
            bitmap_.Reset();
            size_ = {};
            return nullptr;
        }
        size_ = size;
        selection_ = std::make_unique<CSelection>(dc_->Get(), bitmap_.Get());
        return dc_->Get();
    }

private:
    std::unique_ptr<CMemoryDC> dc_;
    CBitmapHandle bitmap_;
    std::unique_ptr<CSelection> selection_;
    SIZE size_ = {};
};

// The client-area DC of a window (GetDC), released on leaving.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~CClientDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    ~CPaintDC() { EndPaint(hwnd_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// A window's client area painted into a memory bitmap of its size and then
// copied to the screen in one step (Present), so that no half-drawn state
// ever shows.
class CBufferedPaint {
public:
    explicit CBufferedPaint(HWND hwnd)
        : paint_(hwnd), client_(ClientOf(hwnd)), buffer_(paint_.Get(), client_.right, client_.bottom) {}
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    HDC Get() const { return buffer_.Get(); }
    HDC Screen() const { return paint_.Get(); }
    const RECT& Client() const { return client_; }
    int Width() const { return client_.right; }
    int Height() const { return client_.bottom; }
    explicit operator bool() const { return static_cast<bool>(buffer_); }
    void Present() const { BitBlt(Screen(), 0, 0, Width(), Height(), Get(), 0, 0, SRCCOPY); }

private:
    static RECT ClientOf(HWND hwnd) {
        RECT client = {};
        GetClientRect(hwnd, &client);
        return client;
    }

    CPaintDC paint_;
    RECT client_;
    CBufferDC buffer_;
};

// A font by face, pixel height and weight (FW_BOLD is 700), for instance the
// bold 12-pixel "Tahoma" of the skinned texts.
inline CFontHandle MakeFont(const char* face, int pixelHeight, int weight) {
    LOGFONTW font = {};
    font.lfHeight = pixelHeight;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    MultiByteToWideChar(CP_UTF8, 0, face, -1, font.lfFaceName, LF_FACESIZE);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return CFontHandle(CreateFontIndirectW(&font));
}
