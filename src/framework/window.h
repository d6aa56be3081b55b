#pragma once

#include <windows.h>

// A C++ object attached to one window. Every message of the window reaches the
// object's virtual WindowProc, whose body is the class's message map: one case
// per message, each calling one named handler, and DefWindowProc for the rest.
//
// Two ways to attach:
//  - an existing window, such as a control of a dialog template: Subclass() or
//    SubclassDlgItem() (our procedure put in front of the window's own);
//  - a window we create: Create(), with a class registered by
//    RegisterWindowClass(); the object is linked on WM_NCCREATE.
// Either way the link is removed on WM_NCDESTROY, which always goes straight to
// the default handling (the original procedure frees its data there);
// Handle() is null from then on.
//
// Notifications that a control sends to its parent (WM_COMMAND, WM_NOTIFY,
// owner draw, control colours) are first offered to the sending control when
// that control is one of ours and lives on this thread: it receives them as
// ReflectedMessage(original) in its WindowProc. A child that answers a
// reflected message keeps the parent from seeing it, except for WM_COMMAND,
// which then also reaches the parent as usual. A reflected message that falls
// through to DefWindowProc counts as not answered.
//
// No C++ exception leaves a window procedure: the dispatch catches it, and the
// message gets the result 0.
class CWindow {
public:
    CWindow() = default;
    // Detaches from the window; a window made by Create() is also destroyed.
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND Handle() const { return hwnd_; }

    // The object attached to a window of this thread, or null.
    static CWindow* FromHandle(HWND hwnd);

    // Attaches to an existing window of this thread, then calls PreSubclassWindow().
    bool Subclass(HWND hwnd);
    bool SubclassDlgItem(int id, HWND dialog) { return Subclass(GetDlgItem(dialog, id)); }

    // Registers a window class whose windows are created through Create().
    // Registering the same name again is harmless.
    static bool RegisterWindowClass(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background);

    // Creates a window of a class registered above, attached to this object.
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                UINT_PTR idOrMenu);

    // The default handling of a message: the subclassed window's original
    // procedure, or the system's default for windows we created.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Offered every message of the message loop (see message_loop.h) before it
    // is dispatched, from the target window up through its parents. Returning
    // true consumes the message; the message may also be changed in place.
    virtual bool PreTranslateMessage(MSG* message);

    // The message code under which a reflected notification reaches the child.
    static constexpr UINT ReflectedMessage(UINT original) { return kReflectBase + original; }
    static constexpr bool IsReflectedMessage(UINT message) {
        return message >= kReflectBase && message < kReflectBase + 0x400;
    }

protected:
    // The message map. The base handles nothing itself.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Called once the object is attached to an existing window; controls read
    // or change their style here.
    virtual void PreSubclassWindow() {}

private:
    friend class CDialog;
    // Past every control's own message range and the common controls' shared
    // messages (0x2000 to 0x200C); reflected codes never reach the system.
    static constexpr UINT kReflectBase = WM_USER + 0x1C00 + 0x100;

    enum class Link { none, subclassed, created };

    void Attach(HWND hwnd, Link link);
    // Puts the original procedure back unless the window is being destroyed.
    void Detach(bool windowGone = false);
    // Everything the system hands us goes through here: reflection, the
    // message map, exception barrier, detaching on WM_NCDESTROY.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreatedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    Link link_ = Link::none;
    bool reflectedAnswered_ = false;
};
