#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/worker_thread.h"
#include "framework_test_ids.h"

namespace {

const UINT kThrowMessage = WM_APP + 1;
const UINT kEndMessage = WM_APP + 2;

// Who was offered a key, in order.
using Log = std::vector<std::string>;

class CKeyTakingEdit : public CWindow {
public:
    explicit CKeyTakingEdit(Log& log) : log_(log) {}
    bool consumeKeys = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrowMessage) throw std::runtime_error("a handler failed");
        return CWindow::WindowProc(message, wParam, lParam);
    }

    bool PreTranslateMessage(MSG* message) override {
        if (message->message != WM_KEYDOWN) return false;
        log_.push_back("edit");
        return consumeKeys;
    }

private:
    Log& log_;
};

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(Log& log) : CDialog(IDD_TEST_DIALOG), edit(log), log_(log) {}

    CKeyTakingEdit edit;
    std::string textSet;
    HWND ownerSeenDuringRun = nullptr;
    bool ownerEnabledDuringRun = true;
    std::function<void(CTestDialog&)> onInit;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETTEXT) textSet = reinterpret_cast<const char*>(lParam);
        if (message != kEndMessage) return CDialog::WindowProc(message, wParam, lParam);
        ownerSeenDuringRun = GetWindow(Handle(), GW_OWNER);
        ownerEnabledDuringRun = ownerSeenDuringRun && IsWindowEnabled(ownerSeenDuringRun);
        EndDialog(static_cast<INT_PTR>(wParam));
        return 0;
    }

    BOOL OnInitDialog() override {
        edit.SubclassDlgItem(IDC_TEST_EDIT, Handle());
        if (onInit) onInit(*this);
        return TRUE;
    }

    bool PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN) log_.push_back("dialog");
        return false;
    }

private:
    Log& log_;
};

// A top-level window of our own class, to own the dialog.
class COwner : public CWindow {
public:
    COwner() {
        RegisterWindowClass("ClipvaneFrameworkTest", 0, nullptr, nullptr);
        Create("ClipvaneFrameworkTest", "owner", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 100}, nullptr, 0);
    }
};

// A window has its object until it is destroyed; a window of an ANSI class
// hands its object ANSI texts.
TEST(ModalDialog, EveryMessageIsOfferedFromItsTargetUpToTheDialogAndAQuitEndsTheRun) {
    for (const bool editConsumes : {false, true}) {
        Log log;
        COwner owner;
        CTestDialog dialog(log);
        HWND edit = nullptr;
        dialog.onInit = [editConsumes, &edit](CTestDialog& self) {
            self.edit.consumeKeys = editConsumes;
            edit = self.edit.Handle();
            EXPECT_EQ(CWindow::FromHandle(edit), &self.edit);
            SetWindowTextA(self.Handle(), "Profile 1");
            // An exception in a handler stays inside the window procedure.
            EXPECT_EQ(SendMessageA(self.edit.Handle(), kThrowMessage, 0, 0), 0);
            PostMessageA(self.edit.Handle(), WM_KEYDOWN, 'A', 0);
            PostMessageA(self.Handle(), kEndMessage, 42, 0);
        };
        EXPECT_EQ(dialog.DoModal(owner.Handle()), 42);
        EXPECT_EQ(log, (editConsumes ? Log{"edit"} : Log{"edit", "dialog"}));
        EXPECT_EQ(dialog.ownerSeenDuringRun, owner.Handle());
        EXPECT_FALSE(dialog.ownerEnabledDuringRun);
        EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
        EXPECT_EQ(dialog.textSet, "Profile 1");
        EXPECT_EQ(dialog.Handle(), nullptr) << "the modal run destroys its window";
        EXPECT_EQ(dialog.edit.Handle(), nullptr);
        EXPECT_EQ(CWindow::FromHandle(edit), nullptr);
    }
    // A quit ends the run and stays for the outer loop.
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

}  // namespace
