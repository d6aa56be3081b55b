// The real main window in this process, converting with the real encoders of
// the installed tree on clips that ffmpeg.exe makes for the tests.
#include "main/main_dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/command_templates.h"
#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "engine/value_tables.h"
#include "framework/message_loop.h"
#include "framework/registry.h"
#include "player/test_clips.h"
#include "resource_ids.h"
#include "support/app_folder_fixture.h"
#include "support/fake_views.h"
#include "support/message_pump.h"
#include "support/poll.h"
#include "support/setting_for_test.h"
#include "support/window_watch.h"

namespace {

using Strings = std::vector<std::string>;

// Messages go through the same pre-translation as in the window's own loop.
bool Consumed(HWND target, UINT message, WPARAM wParam) {
    MSG msg = {target, message, wParam, 0, 0, {}};
    return PreTranslateChain(msg);
}

struct FakeShutDown : IShutDown {
    int calls = 0;
    void ShutDownComputer() override { ++calls; }
};

// Keeps what the row menu offered, greyed entries in brackets, chooses the
// entry named beforehand, and keeps what the menu started instead of starting it.
struct FakeDesktop : IDesktop {
    std::string choice;
    Strings offered, started;
    UINT ChooseFromMenu(HMENU menu, HWND, POINT) override {
        offered.clear();
        UINT chosen = 0;
        for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            char text[64] = {};
            if (GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION) == 0) continue;  // a separator
            const bool greyed = (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
            offered.push_back(greyed ? std::string("(") + text + ")" : text);
            if (choice == text) chosen = GetMenuItemID(menu, position);
        }
        return chosen;
    }
    void ShowFileInFolder(const std::string& path) override { started.push_back("select " + path); }
    void OpenFolder(const std::string& folder) override { started.push_back("folder " + folder); }
    void OpenWithPlayer(const std::string& path) override { started.push_back("play " + path); }
};

class MainDialogTest : public AppFolderTest {
protected:
    static void SetUpTestSuite() { clips = new TestClips(); }
    static void TearDownTestSuite() { delete clips; }

    void SetUp() override {
        ASSERT_TRUE(clips->Made()) << clips->Problem();
        AppFolderTest::SetUp();
        // The installed program's files, in lists ended by an empty name.
        const std::string from = std::string(CLIPVANE_DIST) + "\\app\\*" + '\0', to = folder.Path() + "app" + '\0';
        SHFILEOPSTRUCTA copy = {};
        copy.wFunc = FO_COPY;
        copy.pFrom = from.c_str();
        copy.pTo = to.c_str();
        copy.fFlags = FOF_NO_UI | FOF_FILESONLY;
        ASSERT_EQ(SHFileOperationA(&copy), 0) << "build the installed tree first";
        Open();
        ShowWindow(Window(), SW_SHOW);
    }
    void TearDown() override {
        if (dialog_ && dialog_->Handle()) DestroyWindow(dialog_->Handle());
        dialog_.reset();
        AppFolderTest::TearDown();
    }

    // A main window in place of the one open, if any.
    void Open(ProbeLimits limits = ProbeLimits{}) {
        if (dialog_) DestroyWindow(Window());
        dialog_ = std::make_unique<CMainDialog>(shutDown_, desktop_, nullptr, limits);
        ASSERT_TRUE(dialog_->CreateModeless(nullptr));
    }
    HWND Window() const { return dialog_->Handle(); }
    // Adds a file and handles messages until every row has been read.
    void Add(const std::string& path) {
        dialog_->AddItem(path);
        WaitForReads();
    }
    void WaitForReads() {
        PumpUntil(
            [this] {
                for (int row = 0; row < dialog_->Tasks().Count(); ++row) {
                    if (dialog_->Tasks().Copy(row).status == kStatusProbing) return false;
                }
                return true;
            },
            30000);
    }
    void ClickCheckBoxes(std::initializer_list<int> rows) {
        for (const int row : rows) {
            CellHit hit = {row, 0, false, true};  // the first column's check box
            SendMessageA(Window(), WM_LIST_CELLCLICK, 0, reinterpret_cast<LPARAM>(&hit));
        }
    }
    void Command(int id) { SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // A combo's choice as the user makes it, and what a combo shows.
    void Choose(int id, int item) {
        SendDlgItemMessageA(Window(), id, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(Window(), id)));
    }
    // Where the trim slider's end thumb sits, at the end of its 320-pixel track.
    static constexpr int kEndThumb = 320 + 13 + 6;
    // A click on the device tab bar, as the mouse makes it.
    static LPARAM TabPoint(int tab) { return MAKELPARAM(447 / 6 * tab + 10, 5); }
    void ClickTab(int tab) {
        SendDlgItemMessageA(Window(), IDC_DEVICE_TABS, WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(tab));
    }
    int Selected(int id) const { return static_cast<int>(SendDlgItemMessageA(Window(), id, CB_GETCURSEL, 0, 0)); }
    CellInfo CellOf(int row, int column) {
        CellInfo cell;
        cell.item = row;
        cell.subitem = column;
        SendMessageA(Window(), WM_LIST_GETCELLINFO, 0, reinterpret_cast<LPARAM>(&cell));
        return cell;
    }
    std::string Cell(int row, int column) { return CellOf(row, column).text; }
    // Acts once the first item shows encoding progress: the hand-shake with a run that is under way.
    Poll AtFirstProgress(std::function<void()> action) {
        return Poll(20, [this, action] { return CellOf(0, kColumnProgress).progressMax > 0 && (action(), true); });
    }
    Strings Column(int column) {
        Strings texts;
        for (int row = 0; row < dialog_->Tasks().Count(); ++row) texts.push_back(Cell(row, column));
        return texts;
    }
    // A right click on a row, and the entry then chosen from its menu.
    void RowMenu(int row, const char* choice) {
        desktop_.choice = choice;
        NMITEMACTIVATE click = {};
        click.hdr = {GetDlgItem(Window(), IDC_TASK_LIST), IDC_TASK_LIST, static_cast<UINT>(NM_RCLICK)};
        click.iItem = row;
        SendMessageA(Window(), WM_NOTIFY, IDC_TASK_LIST, reinterpret_cast<LPARAM>(&click));
    }
    Strings OutputFiles() const { return FileNamesIn(output_.Path()); }

    static inline TestClips* clips = nullptr;
    TempFolder output_;
    SettingForTest destination_{"destination", output_.Path()};
    SettingForTest atOnce_{"atonce", ""};
    FakeShutDown shutDown_;
    FakeDesktop desktop_;
    // Each dialog of this thread with an OK button, as it shows, is given to
    // the test's look, and unless that answered it, answered with OK and its
    // text kept. A box still showing a second later is answered again: an
    // answer posted while it was still being set up can be lost.
    std::function<bool(HWND)> look = [](HWND) { return false; };
    Strings answers;
    std::map<HWND, DWORD> answeredAt_;
    std::set<HWND> looked_;
    // Found among the thread's windows, not as the active one: a box that
    // never gets activated would otherwise wait for an answer for ever.
    Poll answerer_{20, [this] {
                       EnumThreadWindows(GetCurrentThreadId(), Answer, reinterpret_cast<LPARAM>(this));
                       return false;
                   }};
    static BOOL CALLBACK Answer(HWND shown, LPARAM self) {
        auto& test = *reinterpret_cast<MainDialogTest*>(self);
        if (shown == test.Window() || !IsWindowVisible(shown) || !GetDlgItem(shown, IDOK)) return TRUE;
        if (test.looked_.count(shown) != 0) return TRUE;
        const auto answered = test.answeredAt_.find(shown);
        if (answered == test.answeredAt_.end()) {
            if (test.look(shown)) {
                test.looked_.insert(shown);
                return TRUE;
            }
            test.answers.push_back(StaticTextOf(shown));
        } else if (GetTickCount() - answered->second < 1000) {
            return TRUE;
        }
        test.answeredAt_[shown] = GetTickCount();
        PostMessageA(shown, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    std::unique_ptr<CMainDialog> dialog_;
};

// The folder already holds the user's own clip.mp4 and broken.mp4: neither is
// touched, the good item writes the next free name, and the unreadable one,
// added unticked with its reason and ticked by hand, fails with it instead of
// reading as finished and leaves nothing. Sound alone is added ticked, with
// its length, like any file FFmpeg reads. Afterwards the row menu offers what
// applies to each row.
TEST_F(MainDialogTest, ARunKeepsTheFilesThatWereThereAndSaysWhatFailed) {
    const std::string own = output_.Write("clip.mp4", "the user's own video");
    output_.Write("broken.mp4", "an older conversion");
    Add(clips->Path("clip.avi"));
    Add(clips->Path("sound.mp3"));
    Add(clips->Path("broken.avi"));
    EXPECT_EQ(Column(kColumnProgress), (Strings{"", "", " Not a video this program can read "}));
    EXPECT_EQ(Column(kColumnEnd), (Strings{"00:00:04", "00:00:03", "00:00:00"}));
    ClickCheckBoxes({1, 2});  // unticks row 1, ticks row 2 (added unticked)

    EXPECT_EQ(Cell(0, kColumnOutput), "clip_2.mp4") << "the name the run will write, clip.mp4 being taken";

    Command(IDC_START);
    EXPECT_FALSE(dialog_->ConversionRunning());
    EXPECT_EQ(Column(kColumnProgress), (Strings{" Finished ", "", " Not a video this program can read "}))
        << "the unticked item is left alone, the unreadable one fails with its reason";
    EXPECT_EQ(output_.Read("clip.mp4"), "the user's own video");
    EXPECT_EQ(output_.Read("broken.mp4"), "an older conversion");
    EXPECT_EQ(OutputFiles(), (Strings{"broken.mp4", "clip.mp4", "clip_2.mp4"}));
    ASSERT_EQ(answers.size(), 1u);
    // The box's texts in one: the padded message shows the exact counts.
    EXPECT_NE(answers[0].find("  1 converted, 1 failed  "), std::string::npos) << answers[0];
    EXPECT_EQ(shutDown_.calls, 0);

    CVideoEdit probe(AppFolderOf(programFolder) + "\\ffmpeg.exe", [](const std::string&) {});
    EXPECT_NEAR(probe.GetDuration(output_.Path() + "clip_2.mp4"), 4.0, 0.5);

    // The row menu: a written output is selected in its folder; a row without
    // one opens the folder it would go to.
    RowMenu(0, "&Open output folder");
    EXPECT_EQ(desktop_.offered,
              (Strings{"&Open output folder", "&Play output", "&Remove", "&Tick all", "&Untick all"}));
    RowMenu(1, "&Open output folder");
    RowMenu(1, "&Untick all");
    RowMenu(1, "");
    EXPECT_EQ(desktop_.offered,
              (Strings{"&Open output folder", "(&Play output)", "&Remove", "&Tick all", "(&Untick all)"}));
    EXPECT_EQ(desktop_.started, (Strings{"select " + output_.Path() + "clip_2.mp4", "folder " + output_.Path()}));
    ClickTab(kTabXbox);
    EXPECT_EQ(Cell(0, kColumnOutput), "clip.mpg") << "the written name goes with the tab it was written for";
}

// Reads cut by their time, as while a virus scanner holds a freshly copied
// encoder: a file read by the second, longer try gets its length, and one
// whose reads both run out says so, stays ticked and is read again at Start.
TEST_F(MainDialogTest, AReadCutByItsTimeIsTriedAgainAndOneNeverReadInTimeIsReadAgainAtStart) {
    ASSERT_TRUE(CopyFileA(STALLED_ENCODER_EXE, (folder.Path() + "app\\ffmpeg.exe").c_str(), FALSE));
    Open(ProbeLimits{300, 3000});
    const TempFolder sources;
    dialog_->AddItem(sources.Write("late.avi", "1000"));  // milliseconds the stand-in takes to open it
    Add(sources.Write("stuck.avi", "600000"));
    EXPECT_EQ(Column(kColumnEnd), (Strings{"00:00:04", "00:00:00"}));
    EXPECT_EQ(Column(kColumnProgress), (Strings{"", " Not read yet: FFmpeg did not answer in time "}));
    ASSERT_TRUE(dialog_->Tasks().Copy(1).selected) << "stays ticked; a run would convert it with the stand-in";

    sources.Write("stuck.avi", "0");
    ClickCheckBoxes({0, 1});  // unticked, so that Start reads the file and converts nothing
    Command(IDC_START);
    EXPECT_EQ(Column(kColumnEnd), (Strings{"00:00:04", "00:00:04"}));
}

// One item's intermediate is named like another's output, and two names
// differ only in the case of a letter outside ASCII: every output survives,
// also with two items converting at once (the choice is kept for next time).
TEST_F(MainDialogTest, NoItemWritesOverAnotherItemsOutputAlsoTwoAtOnce) {
    folder.MakeFolder("one");
    folder.MakeFolder("two");
    for (const char* path : {"x_temp.avi", "x.avi", "one\\\xC3\x84rger.avi", "two\\\xC3\xA4rger.avi"}) {
        ASSERT_TRUE(CopyFileA(clips->Path("silent.avi").c_str(), (folder.Path() + path).c_str(), FALSE));
        dialog_->AddItem(folder.Path() + path);
    }
    ClickTab(kTab3gp);
    const Strings outputs = {"x_temp.3gp", "x.3gp", "\xC3\x84rger.3gp", "\xC3\xA4rger_2.3gp"};
    EXPECT_EQ(Column(kColumnOutput), outputs);
    EXPECT_EQ(Selected(IDC_AT_ONCE), 0) << "one at a time without a stored choice";
    Choose(IDC_AT_ONCE, 1);
    EXPECT_EQ(ReadSetting("atonce"), "2");
    // The most items converting at one time (reads before the run do not count).
    std::size_t mostRunning = 0;
    Poll running(10, [&] {
        std::size_t now = 0;
        for (int row = 0; row < dialog_->Tasks().Count(); ++row) {
            const ConversionItem item = dialog_->Tasks().Copy(row);
            now += item.finished == 0 && item.status != kStatusNone && item.status != kStatusProbing;
        }
        mostRunning = std::max(mostRunning, now);
        return false;
    });
    Command(IDC_START);
    EXPECT_EQ(mostRunning, 2u);
    EXPECT_EQ(Column(kColumnProgress), Strings(4, " Finished "));
    EXPECT_EQ(Column(kColumnOutput), outputs);
    const Strings written = OutputFiles();
    EXPECT_EQ(std::set<std::string>(written.begin(), written.end()),
              std::set<std::string>(outputs.begin(), outputs.end()));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_NE(answers[0].find("  Converting Finished  "), std::string::npos);
}

// During a run a double click counts as two clicks; a tab clicked, Delete
// and a trim handle dragged change nothing, and the row menu offers only what
// leaves the list alone; the Stop itself (what it leaves, what it counts) is
// the run's own tests' case.
TEST_F(MainDialogTest, DuringARunClicksCountAndTheTabAndRangeStayPut) {
    Add(clips->Path("long.avi"));
    const HWND box = GetDlgItem(Window(), IDC_SHUT_DOWN);
    const Poll during = AtFirstProgress([&] {
        RowMenu(0, "");
        PostMessageA(GetDlgItem(Window(), IDC_TASK_LIST), WM_KEYDOWN, VK_DELETE, 1);
        PostMessageA(GetDlgItem(Window(), IDC_DEVICE_TABS), WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(kTabPsp));
        const HWND slider = GetDlgItem(Window(), IDC_TRIM_SLIDER);
        PostMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kEndThumb, 8));
        PostMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kEndThumb - 160, 8));
        PostMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(kEndThumb - 160, 8));
        // A quick double click on the box: it is ticked and unticked again.
        for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            PostMessageA(box, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
        }
        PostMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_STOP, BN_CLICKED), 0);
    });
    Command(IDC_START);
    ASSERT_TRUE(during.done);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "two clicks, not one";
    EXPECT_EQ(Column(kColumnEnd), Strings{"00:01:00"}) << "Delete and the slider change no item during a run";
    EXPECT_EQ(dialog_->Panel().DeviceTab(), kTabIpod) << "the run's tab is put back";
    EXPECT_EQ(desktop_.offered,
              (Strings{"&Open output folder", "(&Play output)", "(&Remove)", "(&Tick all)", "(&Untick all)"}))
        << "the row menu during the run";
}

// During a run the title says how far it has come (on the taskbar button
// too). A close asks first; No leaves the run going to its end.
TEST_F(MainDialogTest, DuringARunTheTitleShowsProgressAndACloseAsksFirst) {
    Add(clips->Path("long.avi"));
    const auto title = [this] {
        char text[128] = {};
        GetWindowTextA(Window(), text, sizeof text);
        return std::string(text);
    };
    std::string titleDuring;
    const Poll during = AtFirstProgress([&] {
        titleDuring = title();
        PostMessageA(Window(), WM_CLOSE, 0, 0);
    });
    std::string question;
    look = [&](HWND shown) {
        if (!question.empty()) return false;
        question = StaticTextOf(shown);
        PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
        return true;
    };
    Command(IDC_START);
    ASSERT_TRUE(during.done);
    EXPECT_EQ(titleDuring.rfind("Clipvane - 1 of 1, ", 0), 0u) << titleDuring;
    EXPECT_NE(question.find("A conversion is running. Stop it and close Clipvane?"), std::string::npos) << question;
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_EQ(Cell(0, kColumnProgress), " Finished ") << "No leaves the run going";
    EXPECT_EQ(title(), "Clipvane");
}

// A RealMedia item is exported first: only the PSP's output and thumbnail stay.
TEST_F(MainDialogTest, AFinishedRunShutsDownWhenAskedAndARealMediaItemLeavesOnlyItsOutput) {
    Add(clips->Path("clip.rm"));
    ClickTab(kTabPsp);
    SendMessageA(GetDlgItem(Window(), IDC_SHUT_DOWN), BM_CLICK, 0, 0);
    Command(IDC_START);
    EXPECT_EQ(Cell(0, kColumnProgress), " Finished ");
    const std::string output = Cell(0, kColumnOutput);
    EXPECT_EQ(OutputFiles(), (Strings{output, output.substr(0, output.find('.')) + ".THM"}))
        << "the output and its thumbnail; the exported intermediate is gone";
    EXPECT_EQ(shutDown_.calls, 1);
    EXPECT_TRUE(answers.empty()) << "no closing message before a shut-down";
}

// The iPod command the run would give the encoder for a file, with the panel as it is now.
std::string IpodCommandNow(const IOutputSettings& panel, const std::string& source) {
    TaskList tasks;
    ConversionItem item;
    item.sourcePath = source;
    item.endTime = 4.0;
    tasks.Append(item);
    const int current = 0;
    FakeItemView view;
    RunParts run;
    const EngineContext context{tasks, current, panel, view, run.cancelRequested, run.runner, run.item, run.heldNames};
    return BuildIpodCommand(context, 0, ReadIpodTemplate(panel)).value_or("<refused>");
}

// Whatever the window shows after start-up, a tab change or a reset, the
// untouched conversion writes just that; the panel's choices show in the
// list, and an empty list puts them back.
TEST_F(MainDialogTest, TheUntouchedConversionUsesWhatTheCombosShowAndAnEmptyListPutsTheChoicesBack) {
    const auto expectCommandShowsCombos = [&](const char* when) {
        const std::string command = IpodCommandNow(dialog_->Panel(), clips->Path("clip.avi"));
        const auto shown = [&](Setting setting) {
            return std::string(SettingValue(setting, dialog_->Panel().SettingItem(setting)));
        };
        for (const std::string& option : {shown(Setting::VideoCodec), "-s " + shown(Setting::VideoSize),
                                          "-b " + shown(Setting::VideoBitrate), "-aspect " + shown(Setting::Aspect),
                                          "-ac " + shown(Setting::Channels), "-ab " + shown(Setting::AudioBitrate)}) {
            EXPECT_NE(command.find(option + " "), std::string::npos) << when << ": " << option << " in " << command;
        }
        // "Same As Input File" asks for no frame rate or sample rate.
        EXPECT_EQ(shown(Setting::FrameRate).empty(), command.find(" -r ") == std::string::npos) << when;
        EXPECT_EQ(shown(Setting::SampleRate).empty(), command.find(" -ar ") == std::string::npos) << when;
    };
    const auto comboTexts = [this] {
        Strings texts;
        for (const int id : {IDC_VIDEO_TYPE, IDC_VIDEO_SIZE, IDC_FRAME_RATE, IDC_VIDEO_QUALITY, IDC_ASPECT,
                             IDC_CHANNELS, IDC_AUDIO_QUALITY, IDC_SAMPLE_RATE, IDC_VOLUME}) {
            char text[64] = {};
            GetDlgItemTextA(Window(), id, text, sizeof text);
            texts.push_back(text);
        }
        return texts;
    };
    // The file's default profile, and the program's own for what it leaves open.
    EXPECT_EQ(Selected(IDC_PROFILE_SETTING), 1);
    EXPECT_EQ(comboTexts(), (Strings{"MPEG4", "320 x 240", "Same As Input File", "512   kbps", "4:3", "Stereo",
                                     "80     kbps", "Same As Input File", "100%"}));
    expectCommandShowsCombos("start-up");
    Choose(IDC_PROFILE_SETTING, 2);
    ClickTab(kTabPsp);
    ClickTab(kTabIpod);
    expectCommandShowsCombos("back on the iPod tab");
    Add(clips->Path("clip.avi"));
    Choose(IDC_PROFILE_SETTING, 2);
    Choose(IDC_FRAME_RATE, 3);
    EXPECT_EQ(Selected(IDC_PROFILE_SETTING), 0) << "a setting of its own is the user's combination";
    ClickTab(kTab3gp);
    Choose(IDC_THREE_GP_TYPE, 2);
    EXPECT_EQ(Cell(0, kColumnOutput), "clip.3g2");

    Command(IDC_REMOVE_ALL);
    EXPECT_EQ(dialog_->Panel().DeviceTab(), kTabIpod);
    EXPECT_EQ(comboTexts(), (Strings{"AVC", "320 x 240", "Same As Input File", "576   kbps", "4:3", "Stereo",
                                     "64     kbps", "Same As Input File", "100%"}))
        << "an empty list puts every setting back to the program's own";
    expectCommandShowsCombos("after a reset");
}

TEST_F(MainDialogTest, TheAddDialogTakesSeveralFilesAndLongNamesAndOpensWhereTheLastOneWas) {
    const SettingForTest noAddFolder("addfolder", "");
    // Eighty CJK characters: 240 bytes in UTF-8, the path far beyond the old 260-byte buffer.
    std::wstring longName;
    for (int i = 0; i < 80; ++i) longName += static_cast<wchar_t>(0x65E5 + i % 2);
    longName += L".avi";
    const std::wstring longPath = std::wstring(output_.Path().begin(), output_.Path().end()) + longName;
    const std::string clip = clips->Path("clip.avi");
    ASSERT_TRUE(CopyFileW(std::wstring(clip.begin(), clip.end()).c_str(), longPath.c_str(), FALSE));
    // Answers the Add dialog: what folder it showed, and the names typed.
    std::string fileTypes;  // the dialog's choice of file types, each ended by '|'
    const auto AnswerAddDialog = [&](HWND window, const std::wstring& typed) {
        std::wstring folderShown(MAX_PATH, L'\0');
        look = [&](HWND opened) {
            if (!GetDlgItem(opened, cmb13)) return false;  // a message about a missing file
            SendMessageW(opened, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folderShown.data()));
            fileTypes.clear();
            for (int item = 0; item < SendDlgItemMessageA(opened, cmb1, CB_GETCOUNT, 0, 0); ++item) {
                char type[128] = {};
                SendDlgItemMessageA(opened, cmb1, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(type));
                fileTypes += type + std::string("|");
            }
            SendMessageW(opened, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(typed.c_str()));
            return PostMessageW(opened, WM_COMMAND, IDOK, 0) != FALSE;
        };
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
        look = [](HWND) { return false; };
        return std::wstring(folderShown.c_str());
    };

    EXPECT_NE(AnswerAddDialog(Window(), longPath).find(L"Videos"), std::wstring::npos) << "the first time";
    EXPECT_EQ(fileTypes,
              "Support Video Files|RealMedia Files (*.rm,*.rmvb)|AVI Files (*.avi)|Mpeg files (*.mpg, *.mpeg,*.vob)|"
              "Windows Media files (*.wmv, *.wma, *.asf)|Quick Time Files (*.mov, *.qt)|3GP Files (*.3gp)|"
              "MP4 Files (*.mp4)|MKV Files (*.mkv)|All files (*.*)|");
    ASSERT_EQ(dialog_->Tasks().Count(), 1);
    EXPECT_EQ(dialog_->Tasks().Copy(0).sourcePath.size(), output_.Path().size() + 240 + 4);

    ASSERT_TRUE(CopyFileA(clip.c_str(), (output_.Path() + "second.avi").c_str(), FALSE));
    const std::wstring again = AnswerAddDialog(Window(), L"\"second.avi\" \"" + longName + L"\"");
    EXPECT_EQ(again + L"\\", std::wstring(output_.Path().begin(), output_.Path().end()))
        << "opens where the last file was added";
    const Strings sources = Column(kColumnSource);
    EXPECT_EQ(sources, (Strings{sources.at(0), "second.avi", sources.at(0)})) << "several files at once";
}

// Every run here writes into the folder the registry names; without one the
// output goes to the user's Videos folder.
TEST_F(MainDialogTest, WithoutAStoredOutputFolderTheVideosFolderIsUsedAndTheBrowserKeepsIt) {
    WriteSetting("destination", "");
    Open();
    EXPECT_NE(outputDirectory.find("Videos\\"), std::string::npos) << outputDirectory;
    const std::string before = outputDirectory;
    Command(IDC_CHOOSE_FOLDER);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_NE(answers[0].find("converted videos"), std::string::npos) << answers[0];
    EXPECT_EQ(outputDirectory, before) << "OK at once keeps the folder the browser opened at";
}

TEST_F(MainDialogTest, DraggingATrimThumbWritesOnlyTheSelectedItemsTimes) {
    Add(clips->Path("clip.avi"));
    Add(clips->Path("long.avi"));
    EXPECT_EQ(Cell(0, kColumnEnd), "00:00:04") << "adding an item moves the slider without touching another item";
    const HWND slider = GetDlgItem(Window(), IDC_TRIM_SLIDER);
    UpdateWindow(slider);
    // Dragged to the middle of the track, the end thumb stands for half the range.
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kEndThumb, 8));
    SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kEndThumb - 160, 8));
    SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(kEndThumb - 160, 8));
    EXPECT_EQ(Column(kColumnEnd), (Strings{"00:00:04", "00:00:30"}));
    EXPECT_EQ(Cell(1, kColumnBegin), "00:00:00");
}

// What Explorer hands the window when files are dropped on it.
HDROP DroppedFiles(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Files dropped at once each get their own length. The list takes the keys;
// Delete, and then Remove, on the last row select the row that is now last;
// Enter and Escape close nothing.
TEST_F(MainDialogTest, ADroppedFolderAddsItsVideosInNameOrderAndKeysSelectRowsButNeverClose) {
    const TempFolder dropped;
    dropped.MakeFolder("sub");
    for (const char* name : {"clip 10.avi", "clip 2.AVI", "notes.txt", "sub\\inner.mkv"}) {
        ASSERT_TRUE(CopyFileA(clips->Path("silent.avi").c_str(), (dropped.Path() + name).c_str(), FALSE));
    }
    SendMessageA(Window(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DroppedFiles({clips->Path("wide.mp4"), dropped.Path()})), 0);
    EXPECT_EQ(Column(kColumnSource), (Strings{"wide.mp4", "clip 2.AVI", "clip 10.avi", "inner.mkv"}));
    WaitForReads();
    EXPECT_EQ(Column(kColumnEnd), (Strings{"00:00:04", "00:00:03", "00:00:03", "00:00:03"})) << "each its own length";

    const HWND list = GetDlgItem(Window(), IDC_TASK_LIST);
    ASSERT_EQ(ListView_GetSelectionMark(list), 3);
    EXPECT_TRUE(Consumed(list, WM_KEYDOWN, VK_DELETE));
    EXPECT_EQ(ListView_GetSelectionMark(list), 2);
    Command(IDC_REMOVE);
    EXPECT_EQ(Column(kColumnSource), (Strings{"wide.mp4", "clip 2.AVI"}));
    EXPECT_EQ(ListView_GetSelectionMark(list), 1);
    for (const auto& [key, row] :
         std::vector<std::pair<WPARAM, int>>{{VK_PRIOR, 0}, {VK_NEXT, 1}, {VK_HOME, 0}, {VK_END, 1}}) {
        EXPECT_TRUE(Consumed(list, WM_KEYDOWN, key));
        EXPECT_EQ(ListView_GetSelectionMark(list), row) << key;
    }

    EXPECT_TRUE(Consumed(GetDlgItem(Window(), IDC_ADD), WM_KEYDOWN, VK_ESCAPE));
    EXPECT_TRUE(Consumed(list, WM_CHAR, VK_RETURN));
    EXPECT_FALSE(Consumed(Window(), WM_TIMER, 13)) << "only keys are discarded";
    SendMessageA(Window(), WM_COMMAND, IDCANCEL, 0);
    SendMessageA(Window(), WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(dialog_->Ended()) << "the commands of Escape and Enter close nothing";
    Command(IDC_CLOSE);
    EXPECT_TRUE(dialog_->Ended());
}

}  // namespace
