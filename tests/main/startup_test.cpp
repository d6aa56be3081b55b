#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/registry.h"
#include "main/splash_thread.h"
#include "resource_ids.h"
#include "support/setting_for_test.h"
#include "support/temp_folder.h"
#include "support/window_watch.h"

namespace {

const DWORD kLimitMs = 60000;  // a guard against hangs, not a measure of time

int VisibleWindowsOf(DWORD threadId) {
    int visible = 0;
    const auto countVisible = [](HWND window, LPARAM count) -> BOOL {
        if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
        return TRUE;
    };
    EnumThreadWindows(threadId, countVisible, reinterpret_cast<LPARAM>(&visible));
    return visible;
}

TEST(Splash, ShowsThePictureUntilClosedEvenBeforeItsWindowExistsAndThenItsThreadEnds) {
    CSplashThread splash;
    ASSERT_TRUE(splash.Start());
    ASSERT_TRUE(splash.WaitUntilStarted(kLimitMs));
    const HWND window = splash.Window();
    const DWORD thread = splash.ThreadId();
    EXPECT_TRUE(IsWindowVisible(window));
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Clipvane");

    splash.Close(kLimitMs);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(splash.ThreadId(), 0u) << "joined";
    EXPECT_EQ(VisibleWindowsOf(thread), 0);
    splash.Close(kLimitMs);  // a second close is harmless

    // The main window may be ready before the splash thread has made its
    // window: the close waits for it instead of going nowhere.
    for (const DWORD wait : {kLimitMs, DWORD{0}}) {
        CSplashThread early;
        ASSERT_TRUE(early.Start());
        const DWORD earlyThread = early.ThreadId();
        early.Close(wait);
        EXPECT_EQ(early.ThreadId(), 0u);
        EXPECT_EQ(VisibleWindowsOf(earlyThread), 0);
    }
    // Never closed: going out of scope ends it as well.
    CSplashThread forgotten;
    ASSERT_TRUE(forgotten.Start());
}

// Clipvane.exe as a user starts it.
class StartUp : public testing::Test {
protected:
    SettingForTest builtInSkin_{"SkinIni", ""};
};

// Clipvane's first window after the splash: a message (it has an OK button)
// or the main window (it has the task list).
AnsweredRun StartAndAnswer() {
    const auto isMessage = [](HWND window) {
        return IsShownDialog(window) && (GetDlgItem(window, IDOK) || GetDlgItem(window, IDC_TASK_LIST));
    };
    return RunAndAnswer("\"" CLIPVANE_EXE "\"", isMessage, kLimitMs);
}

TEST_F(StartUp, TheMainWindowTakesOverFromTheSplashAndClosingItEndsTheProgram) {
    const AnsweredRun answered = StartAndAnswer();
    EXPECT_NE(answered.message.find("Output Directory:"), std::string::npos) << answered.message;
    // The splash stays until the main window has painted, so for a moment both show.
    EXPECT_LE(answered.visibleWindows, 2) << "the main window and at most the going splash";
    EXPECT_EQ(answered.exitCode, 0u) << "the splash thread is joined, nothing hangs at exit";
}

const char kRefusal[] = "\nCannot initialise Clipvane skin, Clipvane will restart with original theme";

// A skin whose element cannot be loaded: the program names the whole path
// before any window, forgets the skin and ends (so the next start is the
// built-in one of the test above).
TEST_F(StartUp, ABrokenSkinIsReportedBeforeAnyWindowAndTheNextStartIsBuiltIn) {
    TempFolder folder;
    // The directory as skins give it, without its trailing backslash; keys and
    // values are read lower-cased.
    const std::string directory = folder.Path().substr(0, folder.Path().size() - 1);
    std::string lowerDirectory = directory;
    CharLowerBuffA(&lowerDirectory[0], static_cast<DWORD>(lowerDirectory.size()));
    // A path beyond 511 characters is refused the same way, whole (the skin file's own test).
    WriteSetting("SkinIni", folder.Write("broken.ini", "directory=" + directory + "\ntitle=gone.bmp"));
    const AnsweredRun refused = StartAndAnswer();
    EXPECT_EQ(refused.message, "Cannot load " + lowerDirectory + "\\gone.bmp" + kRefusal);
    EXPECT_EQ(refused.visibleWindows, 1) << "no splash before the skin is loaded";
    EXPECT_EQ(refused.exitCode, 0u);
    EXPECT_EQ(ReadSetting("SkinIni"), "");
}

}  // namespace
