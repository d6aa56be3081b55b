#include "framework/window.h"

#include <unordered_map>

#include "framework/application.h"

namespace {

// What links a window of this thread to its object, and the procedure a
// subclassed window had before. Kept in the thread's own memory rather than in
// window properties: under Wine every property lookup is a round trip to the
// window server, paid on every message.
struct WindowLink {
    CWindow* object = nullptr;
    // Subclassed windows only: the procedure before ours, and whether the
    // window takes wide messages. Ours takes them in the window's own form,
    // as the common controls' subclassing does, so that a window of an ANSI
    // class still hands its handlers ANSI texts.
    WNDPROC original = nullptr;
    bool unicode = false;
};
using WindowLinks = std::unordered_map<HWND, WindowLink>;

// Never destroyed: when a thread ends with windows left, the system destroys
// them afterwards, and their last messages still come through here.
WindowLinks& Links() {
    thread_local auto* links = new WindowLinks();
    return *links;
}

LONG_PTR SetProcedure(HWND hwnd, bool unicode, WNDPROC procedure) {
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value) : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value);
}

LRESULT CallOriginal(const WindowLink& link, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return link.unicode ? CallWindowProcW(link.original, hwnd, message, wParam, lParam)
                        : CallWindowProcA(link.original, hwnd, message, wParam, lParam);
}

bool OnThisThread(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId(); }

// The control that sent a notification to its parent, or null when the
// message is no such notification (menus and accelerators send some of the
// same messages without a control).
HWND SenderOf(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
        case WM_DRAWITEM:
            return wParam && lParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        case WM_MEASUREITEM: {
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            return wParam && item && item->CtlType != ODT_MENU ? GetDlgItem(parent, static_cast<int>(item->CtlID))
                                                               : nullptr;
        }
        case WM_COMPAREITEM:
            return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        case WM_DELETEITEM:
            return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        default:
            return nullptr;
    }
}

}  // namespace

CWindow::~CWindow() {
    if (!hwnd_) return;
    const HWND hwnd = hwnd_;
    const bool created = link_ == Link::created;
    Detach();
    if (created) DestroyWindow(hwnd);
}

CWindow* CWindow::FromHandle(HWND hwnd) {
    const WindowLinks& links = Links();
    const auto found = links.find(hwnd);
    return found == links.end() ? nullptr : found->second.object;
}

bool CWindow::Subclass(HWND hwnd) {
    if (!hwnd || hwnd_ || !OnThisThread(hwnd) || FromHandle(hwnd)) return false;
    // A window subclassed before and detached keeps our procedure in its chain
    // when another one was put on top: it simply gets its object back.
    const bool chained = Links().count(hwnd) != 0;
    Attach(hwnd, Link::subclassed);
    if (!chained) {
        const bool unicode = IsWindowUnicode(hwnd) != FALSE;
        const auto original = reinterpret_cast<WNDPROC>(SetProcedure(hwnd, unicode, &SubclassProc));
        if (!original) {
            Links().erase(hwnd);
            hwnd_ = nullptr;
            link_ = Link::none;
            return false;
        }
        WindowLink& link = Links()[hwnd];
        link.original = original;
        link.unicode = unicode;
    }
    PreSubclassWindow();
    return true;
}

bool CWindow::RegisterWindowClass(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(ResourceModule(), className, &windowClass)) return true;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = CreatedWindowProc;
    windowClass.hInstance = ResourceModule();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass) != 0;
}

bool CWindow::Create(const char* className, const char* title, DWORD style, DWORD exStyle, const RECT& rect,
                     HWND parent, UINT_PTR idOrMenu) {
    if (hwnd_) return false;
    CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu), ResourceModule(), this);
    return hwnd_ != nullptr;
}

LRESULT CWindow::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsReflectedMessage(message)) {
        reflectedAnswered_ = false;
        return 0;
    }
    switch (link_) {
        case Link::subclassed:
            return CallOriginal(Links()[hwnd_], hwnd_, message, wParam, lParam);
        case Link::created:
            return ::DefWindowProcA(hwnd_, message, wParam, lParam);
        default:
            return 0;
    }
}

bool CWindow::PreTranslateMessage(MSG*) { return false; }

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

void CWindow::Attach(HWND hwnd, Link link) {
    hwnd_ = hwnd;
    link_ = link;
    Links()[hwnd].object = this;
}

void CWindow::Detach(bool windowGone) {
    const auto found = Links().find(hwnd_);
    const bool unicode = found->second.unicode;
    const bool ours = (unicode ? GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) ==
                      reinterpret_cast<LONG_PTR>(&SubclassProc);
    if (link_ == Link::subclassed && ours && !windowGone) SetProcedure(hwnd_, unicode, found->second.original);
    if (link_ == Link::subclassed && !ours && !windowGone) {
        // A procedure put on top of ours still calls it: the window's messages
        // go on to the original procedure until the window is gone.
        found->second.object = nullptr;
    } else {
        Links().erase(found);
    }
    hwnd_ = nullptr;
    link_ = Link::none;
}

LRESULT CWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    try {
        if (message == WM_NCDESTROY) {
            // The original procedure frees its own data here, so it always gets the message.
            result = DefWindowProc(message, wParam, lParam);
        } else if (!ReflectToChild(message, wParam, lParam, result) || message == WM_COMMAND) {
            result = WindowProc(message, wParam, lParam);
        }
    } catch (...) {
        result = 0;
    }
    if (message == WM_NCDESTROY && hwnd_) Detach(true);
    return result;
}

bool CWindow::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND sender = SenderOf(hwnd_, message, wParam, lParam);
    if (!sender || sender == hwnd_) return false;
    CWindow* child = FromHandle(sender);
    if (!child) return false;
    // A reflected handler may itself cause another reflection to the same child.
    const bool outer = child->reflectedAnswered_;
    child->reflectedAnswered_ = true;
    result = child->Dispatch(ReflectedMessage(message), wParam, lParam);
    const bool answered = child->reflectedAnswered_;
    child->reflectedAnswered_ = outer;
    return answered;
}

LRESULT CALLBACK CWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowLinks& links = Links();
    const auto found = links.find(hwnd);
    if (found == links.end()) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (found->second.object) return found->second.object->Dispatch(message, wParam, lParam);
    const WindowLink link = found->second;
    if (message == WM_NCDESTROY) links.erase(found);
    return CallOriginal(link, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindow::CreatedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* object = nullptr;
    if (message == WM_NCCREATE) {
        object = static_cast<CWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (object && object->hwnd_) object = nullptr;  // already attached to another window
        if (object) object->Attach(hwnd, Link::created);
    } else {
        object = FromHandle(hwnd);
    }
    if (!object) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return object->Dispatch(message, wParam, lParam);
}
