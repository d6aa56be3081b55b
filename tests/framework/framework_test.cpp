#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/worker_thread.h"
#include "framework_test_ids.h"
#include "support/gdi_count.h"

namespace {

const UINT kThrowMessage = WM_APP + 1;
const UINT kEndMessage = WM_APP + 2;

// Who saw which message, in order, across the objects of one test.
using Log = std::vector<std::string>;

class CRecordingControl : public CWindow {
public:
    CRecordingControl(Log& log, const char* name) : log_(log), name_(name) {}

    bool answerReflected = true;
    bool consumeKeys = false;
    bool finalMessageSeen = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case ReflectedMessage(WM_DRAWITEM):
                return OnReflected("drawitem", message, wParam, lParam);
            case ReflectedMessage(WM_COMMAND):
                return OnReflected("command", message, wParam, lParam);
            case ReflectedMessage(WM_NOTIFY):
                return OnReflected("notify", message, wParam, lParam);
            case kThrowMessage:
                throw std::runtime_error("a handler failed");
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }

    bool PreTranslateMessage(MSG* message) override {
        if (message->message != WM_KEYDOWN) return false;
        log_.push_back(name_ + ":pretranslate");
        return consumeKeys;
    }

    void OnFinalMessage() override { finalMessageSeen = true; }

private:
    LRESULT OnReflected(const char* what, UINT message, WPARAM wParam, LPARAM lParam) {
        log_.push_back(name_ + ":" + what);
        return answerReflected ? TRUE : DefWindowProc(message, wParam, lParam);
    }

    Log& log_;
    std::string name_;
};

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(Log& log) : CDialog(IDD_TEST_DIALOG), button(log, "button"), edit(log, "edit"), log_(log) {}

    CRecordingControl button;
    CRecordingControl edit;
    HWND ownerSeenDuringRun = nullptr;
    bool ownerEnabledDuringRun = true;
    std::function<void(CTestDialog&)> onInit;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_DRAWITEM:
                log_.push_back("dialog:drawitem");
                return TRUE;
            case WM_NOTIFY:
                log_.push_back("dialog:notify");
                return 0;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDC_TEST_OWNERDRAW) log_.push_back("dialog:command");
                break;
            case kEndMessage:
                ownerSeenDuringRun = GetWindow(Handle(), GW_OWNER);
                ownerEnabledDuringRun = ownerSeenDuringRun && IsWindowEnabled(ownerSeenDuringRun);
                EndDialog(static_cast<INT_PTR>(wParam));
                return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

    BOOL OnInitDialog() override {
        button.SubclassDlgItem(IDC_TEST_OWNERDRAW, Handle());
        edit.SubclassDlgItem(IDC_TEST_EDIT, Handle());
        if (onInit) onInit(*this);
        return TRUE;
    }

    bool PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN) log_.push_back("dialog:pretranslate");
        return false;
    }

private:
    Log& log_;
};

// A top-level window of our own class, to own dialogs and to test creation.
class CPlainWindow : public CWindow {
public:
    UINT firstMessage = 0;

    bool CreateTopLevel() {
        RegisterWindowClass("ClipvaneFrameworkTest", 0, nullptr, nullptr);
        const RECT rect = {0, 0, 200, 100};
        return Create("ClipvaneFrameworkTest", "owner", WS_OVERLAPPEDWINDOW, 0, rect, nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (!firstMessage) firstMessage = message;
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

LRESULT SendDrawItem(HWND dialog, HWND control) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_TEST_OWNERDRAW;
    item.hwndItem = control;
    return SendMessageA(dialog, WM_DRAWITEM, IDC_TEST_OWNERDRAW, reinterpret_cast<LPARAM>(&item));
}

LRESULT SendNotify(HWND dialog, HWND control, UINT id) {
    NMHDR header = {control, id, NM_CLICK};
    return SendMessageA(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

TEST(WindowObjects, SubclassedAndCreatedWindowsAreLinkedToTheirObjectsAndLetGoWhenDestroyed) {
    Log log;
    CTestDialog dialog(log);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    const HWND edit = dialog.edit.Handle();
    EXPECT_EQ(CWindow::FromHandle(edit), &dialog.edit);
    EXPECT_EQ(CWindow::FromHandle(dialog.Handle()), &dialog);

    // A second object cannot take a window that already has one.
    CRecordingControl intruder(log, "intruder");
    EXPECT_FALSE(intruder.Subclass(edit));

    DestroyWindow(dialog.Handle());
    EXPECT_TRUE(dialog.edit.finalMessageSeen);
    EXPECT_EQ(dialog.edit.Handle(), nullptr);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(CWindow::FromHandle(edit), nullptr);

    // A window the object creates is linked from its first message and goes with the object.
    HWND created = nullptr;
    {
        CPlainWindow window;
        ASSERT_TRUE(window.CreateTopLevel());
        created = window.Handle();
        EXPECT_EQ(CWindow::FromHandle(created), &window);
        // WM_GETMINMAXINFO comes before WM_NCCREATE for top-level windows and
        // has no object yet; WM_NCCREATE is the first the object sees.
        EXPECT_EQ(window.firstMessage, static_cast<UINT>(WM_NCCREATE));
    }
    EXPECT_FALSE(IsWindow(created));
}

TEST(Reflection, NotificationsGoToTheOwnControlFirst) {
    Log log;
    CTestDialog dialog(log);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    const HWND button = dialog.button.Handle();
    // An exception in a handler stays inside the window procedure; the control goes on working.
    EXPECT_EQ(SendMessageA(button, kThrowMessage, 0, 0), 0);

    // Answered by the control: the dialog never sees it. A click reaches the
    // control and then the dialog as usual.
    EXPECT_EQ(SendDrawItem(dialog.Handle(), button), TRUE);
    SendNotify(dialog.Handle(), button, IDC_TEST_OWNERDRAW);
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_OWNERDRAW, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(log, (Log{"button:drawitem", "button:notify", "button:command", "dialog:command"}));

    // Not answered by the control: the dialog handles it.
    log.clear();
    dialog.button.answerReflected = false;
    SendDrawItem(dialog.Handle(), button);
    SendNotify(dialog.Handle(), button, IDC_TEST_OWNERDRAW);
    EXPECT_EQ(log, (Log{"button:drawitem", "dialog:drawitem", "button:notify", "dialog:notify"}));

    // A control without an object of ours: straight to the dialog.
    log.clear();
    const HWND cancel = GetDlgItem(dialog.Handle(), IDCANCEL);
    SendNotify(dialog.Handle(), cancel, IDCANCEL);
    EXPECT_EQ(log, Log{"dialog:notify"});
    DestroyWindow(dialog.Handle());
}

TEST(ModalDialog, EveryMessageIsOfferedFromItsTargetUpToTheDialog) {
    for (const bool editConsumes : {false, true}) {
        Log log;
        CPlainWindow owner;
        ASSERT_TRUE(owner.CreateTopLevel());
        CTestDialog dialog(log);
        dialog.onInit = [editConsumes](CTestDialog& self) {
            self.edit.consumeKeys = editConsumes;
            PostMessageA(self.edit.Handle(), WM_KEYDOWN, 'A', 0);
            PostMessageA(self.Handle(), kEndMessage, 42, 0);
        };
        EXPECT_EQ(dialog.DoModal(owner.Handle()), 42);
        EXPECT_EQ(log, (editConsumes ? Log{"edit:pretranslate"} : Log{"edit:pretranslate", "dialog:pretranslate"}));
        EXPECT_EQ(dialog.ownerSeenDuringRun, owner.Handle());
        EXPECT_FALSE(dialog.ownerEnabledDuringRun);
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
        EXPECT_EQ(dialog.Handle(), nullptr) << "the modal run destroys its window";
    }
}

TEST(ModalDialog, QuitEndsTheRunAndStaysForTheOuterLoop) {
    Log log;
    CTestDialog dialog(log);
    dialog.onInit = [](CTestDialog&) { PostQuitMessage(7); };
    dialog.DoModal(nullptr);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(Threads, WorkerStopsAtOnceFromAnEndlessWaitAndCanRunAgain) {
    CWorkerThread worker;
    bool stopped = false;
    ASSERT_TRUE(worker.Start([&](const CWorkerThread::StopSignal& stop) { stopped = stop.WaitFor(INFINITE); }));
    worker.Stop();
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(worker.Running());

    // A fresh run gets a fresh signal, and an exception in the work stays inside.
    bool requestedAtStart = true;
    HANDLE looked = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(worker.Start([&](const CWorkerThread::StopSignal& stop) {
        requestedAtStart = stop.Requested();
        SetEvent(looked);
        throw std::runtime_error("the work failed");
    }));
    WaitForSingleObject(looked, INFINITE);
    worker.Stop();
    CloseHandle(looked);
    EXPECT_FALSE(requestedAtStart);
}

// What the holders make and free is counted by every window tier's GDI cycle;
// here, that the count sees an object, and that a moved holder frees once.
TEST(GdiHolders, TheCountSeesEveryObjectAndAMovedHolderFreesOnce) {
    ASSERT_EQ(GdiObjectsLeftBy([] { CreateBitmap(1, 1, 1, 1, nullptr); }), 1);
    EXPECT_EQ(GdiObjectsLeftBy([] {
                  CRegionHandle region(CreateRectRgn(0, 0, 5, 5));
                  CRegionHandle moved = std::move(region);
                  EXPECT_FALSE(region);
                  EXPECT_TRUE(moved);
              }),
              0);
}

}  // namespace
