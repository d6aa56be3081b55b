#include "main/main_dialog.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "controls/segment_bar.h"
#include "controls/skin_message_box.h"
#include "controls/window_drag.h"
#include "engine/app_folder.h"
#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "engine/work_files.h"
#include "framework/application.h"
#include "framework/registry.h"
#include "main/items_at_once.h"
#include "main/output_folder.h"
#include "player/player_events.h"
#include "resource_ids.h"
#include "settings/panel_controls.h"
#include "skin/skin.h"
#include "version.h"

namespace {

constexpr UINT kAboutCommand = 16;
constexpr const char* kCloseDuringRunQuestion = "A conversion is running. Stop it and close Clipvane?";
constexpr UINT kHelpCommand = 57670;  // ID_HELP
constexpr int kWindowWidth = 865;
constexpr int kWindowHeight = 602;
constexpr COLORREF kShapeKey = RGB(0, 255, 0);
constexpr DWORD kFadeStepMs = 100;

// The window's own posted messages: a file has been read (wParam the probe's
// ticket); the window has been shown.
constexpr UINT WM_SOURCE_PROBED = WM_APP + 0x0C00;
constexpr UINT WM_WINDOW_SHOWN = WM_APP + 0x0C01;

const UINT rangeChangedMessage =
    RegisterWindowMessageA("RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider");

struct Place {
    int id;
    int x, y, width, height;
};

const Place kPlaces[] = {
    {IDC_ADD, 165, 535, 45, 45},
    {IDC_REMOVE, 215, 535, 45, 45},
    {IDC_REMOVE_ALL, 265, 535, 45, 45},
    {IDC_START, 45, 520, 80, 80},
    {IDC_STOP, 45, 520, 80, 80},
    {IDC_HELP_BUTTON, 770, 550, 40, 40},
    {IDC_CHOOSE_FOLDER, 764, 288, 30, 30},
    {IDC_PLAY, 176, 300, 25, 25},
    {IDC_STOP_PREVIEW, 205, 300, 25, 25},
    {IDC_CLOSE, 825, 8, 18, 18},
    {IDC_MINIMISE, 805, 8, 18, 18},
    {IDC_SHUT_DOWN, 420, 315, 334, 15},
    {IDC_AT_ONCE, 762, 313, 76, 90},
    {IDC_TASK_LIST, 20, 350, 806, 158},
    {IDC_PICTURE, 26, 94, 348, 188},
    {IDC_TRIM_SLIDER, 26, 285, 346, 20},
    {IDC_OUTPUT_FOLDER_LABEL, 420, 295, 100, 19},
    {IDC_OUTPUT_FOLDER, 525, 295, 230, 15},
    {IDC_VERSION, 785, 33, 120, 15},
};
const RECT kPlayerRect = {26, 94, 26 + 348, 94 + 188};

std::string EncoderPath() { return AppFolderOf(programFolder) + "\\ffmpeg.exe"; }

}  // namespace

CMainDialog::CMainDialog(IShutDown& shutDown, IDesktop& desktop, std::function<void()> onShown, ProbeLimits probeLimits)
    : CDialog(IDD_CLIPVANE_DIALOG),
      shutDown_(shutDown),
      desktop_(desktop),
      onShown_(std::move(onShown)),
      icon_(static_cast<HICON>(
          LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))),
      player_(EncoderPath(), [this](const std::string& path) { DeleteWorkFile(tasks_, path); }),
      probes_(EncoderPath(), probeLimits),
      exportPhase_({tasks_, *this, player_}),
      run_(tasks_, panel_, *this, *this, exportPhase_) {}

CMainDialog::~CMainDialog() = default;

LRESULT CMainDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icon_.Get());
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_NCHITTEST:
            return DragWindowHitTest();
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_LIST_GETCELLINFO:
            return OnCellInfo(*reinterpret_cast<CellInfo*>(lParam));
        case WM_LIST_CELLCLICK:
            return OnCellClick(*reinterpret_cast<const CellHit*>(lParam));
        case WM_TABBAR_SELCHANGE:
            return OnTabChange();
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_PLAYER_PLAYCOMPLETE:
            OnPlayComplete();
            return 0;
        case WM_PLAYER_EXPORTPROGRESS:
            exportPhase_.OnExportProgress(static_cast<double>(wParam) / 1000.0, static_cast<double>(lParam) / 1000.0);
            return 0;
        case WM_PLAYER_EXPORTFINISHED:
            exportPhase_.OnExportFinished(static_cast<ExportResult>(wParam));
            return 0;
        case WM_SOURCE_PROBED:
            OnProbed(wParam);
            return 0;
        case WM_WINDOW_SHOWN:
            OnShown();
            return 0;
        case WM_ACTIVATE:
            // Files may have come or gone in the output folder meanwhile.
            if (LOWORD(wParam) != WA_INACTIVE && !run_.Running()) OnOutputNamesChanged(false);
            break;
    }
    if (message == CRangeSlider::RangeChangedMessage()) return OnRangeChanged(wParam, lParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

LRESULT CMainDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (id) {
        case IDC_ADD:
            OnAdd();
            return 0;
        case IDC_START:
            StartConversion();
            return 0;
        case IDC_STOP:
            run_.StopConversion();
            return 0;
        case IDC_CHOOSE_FOLDER:
            OnChooseFolder();
            return 0;
        case IDC_REMOVE:
            RemoveSelectedItem();
            return 0;
        case IDC_REMOVE_ALL:
            RemoveAllItems();
            return 0;
        case IDC_PLAY:
            OnPlay();
            return 0;
        case IDC_STOP_PREVIEW:
            OnStopPreview();
            return 0;
        case IDC_HELP_BUTTON:
            OnHelp();
            return 0;
        case kHelpCommand:
            OnHelp();
            return TRUE;
        case IDC_MINIMISE:
            ShowWindow(Handle(), SW_MINIMIZE);
            return 0;
        case IDC_CLOSE:
            OnClose();
            return 0;
        case IDC_AT_ONCE:
            if (code == CBN_SELCHANGE) StoreItemsAtOnce(ItemsAtOnce());
            return 0;
    }
    OnPanelCommand(id, code);
    return CDialog::WindowProc(WM_COMMAND, wParam, lParam);
}

LRESULT CMainDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_TASK_LIST) {
        switch (header.code) {
            case NM_CLICK:
            case NM_DBLCLK:
            case NM_RDBLCLK:
                OnListMouse();
                return 0;
            case NM_RCLICK:
                OnListRightClick(reinterpret_cast<const NMITEMACTIVATE&>(header));
                return 0;
        }
    }
    return CDialog::WindowProc(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

BOOL CMainDialog::OnInitDialog() {
    char about[64] = {};
    if (LoadStringA(ResourceModule(), IDS_ABOUTBOX, about, sizeof about) > 0) {
        if (HMENU menu = GetSystemMenu(Handle(), FALSE)) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(menu, MF_STRING, kAboutCommand, about);
        }
    }
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    probes_.SetWindow(Handle(), WM_SOURCE_PROBED);
    SetUpControls();
    ShowVersion();
    if (CApplication* application = CApplication::Current()) application->SetMainWindow(Handle());
    LoadOutputDirectory();
    background_.Reset(static_cast<HBITMAP>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDB_MAIN_FRAME), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    SetWindowPos(Handle(), nullptr, 0, 0, kWindowWidth, kWindowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ShapeWindow();
    SetWindowTextA(Handle(), kWindowTitle);
    // Handled once the modal loop runs, that is once the window is shown.
    PostMessageA(Handle(), WM_WINDOW_SHOWN, 0, 0);
    return TRUE;
}

// The splash goes only now, with the window painted in its place, so the
// screen is never empty between the two.
void CMainDialog::OnShown() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (onShown_) onShown_();
    onShown_ = nullptr;
    for (const ButtonSetUp& setUp : Buttons()) {
        if (setUp.tooltip) setUp.button.SetTooltipText(setUp.tooltip);
    }
    picture_.StartFade(IDB_FADE_PICTURE, kFadeStepMs);
}

// The buttons with their icon pairs (hover or pressed first, idle second),
// tooltips and image alignment (1 above the text, 0 left of it).
std::vector<CMainDialog::ButtonSetUp> CMainDialog::Buttons() {
    return {
        {add_, IDC_ADD, IDI_ADD_FILE_HOVER, IDI_ADD_FILE_IDLE, "Add a video to converting task", 1},
        {remove_, IDC_REMOVE, IDI_REMOVE_SELECTED_HOVER, IDI_REMOVE_SELECTED_IDLE, "Remove selected video", 1},
        {removeAll_, IDC_REMOVE_ALL, IDI_REMOVE_ALL_HOVER, IDI_REMOVE_ALL_IDLE, "Remove all videos", 1},
        {start_, IDC_START, IDI_START_CONVERTING_HOVER, IDI_START_CONVERTING_IDLE, "Start Converting", 1},
        {stop_, IDC_STOP, IDI_STOP_CONVERTING_HOVER, IDI_STOP_CONVERTING_IDLE, "Stop Converting", 1},
        {help_, IDC_HELP_BUTTON, IDI_HELP_HOVER, IDI_HELP_IDLE, "Contents", 1},
        {chooseFolder_, IDC_CHOOSE_FOLDER, IDI_OUTPUT_FOLDER_HOVER, IDI_OUTPUT_FOLDER_IDLE,
         "Select the output directory", 1},
        {play_, IDC_PLAY, IDI_PREVIEW_PLAY_HOVER, IDI_PREVIEW_PLAY_IDLE, "Preview selected videos", 1},
        {stopPreview_, IDC_STOP_PREVIEW, IDI_PREVIEW_STOP_HOVER, IDI_PREVIEW_STOP_IDLE, "Stop preview", 1},
        {close_, IDC_CLOSE, IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, nullptr, 1},
        {minimise_, IDC_MINIMISE, IDI_MINIMISE_HOVER, IDI_MINIMISE_IDLE, nullptr, 1},
        {shutDownBox_, IDC_SHUT_DOWN, IDI_SHUTDOWN_CHECK_HOVER, IDI_SHUTDOWN_CHECK_IDLE, nullptr, 0},
    };
}

// What the first sight of the window needs; the tooltips and the picture's
// fade wait until it shows. The controls are put in place before they are
// attached: a move sends a control several messages, and under Wine every
// message to a subclassed control costs round trips to the server.
void CMainDialog::SetUpControls() {
    for (const Place& place : kPlaces) {
        SetWindowPos(GetDlgItem(Handle(), place.id), nullptr, place.x, place.y, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    list_.SubclassDlgItem(IDC_TASK_LIST, Handle());
    list_.SetUp();
    for (const ButtonSetUp& setUp : Buttons()) {
        setUp.button.SubclassDlgItem(setUp.id, Handle());
        setUp.button.SetIcons(setUp.hoverIcon, setUp.idleIcon);
        setUp.button.SetTransparent();
        setUp.button.SetDrawBorder(false);
        setUp.button.SetAlignment(setUp.alignment);
    }
    version_.SubclassDlgItem(IDC_VERSION, Handle());
    outputLabel_.SubclassDlgItem(IDC_OUTPUT_FOLDER_LABEL, Handle());
    atOnce_.SubclassDlgItem(IDC_AT_ONCE, Handle());
    static const char* const kCounts[] = {"1 at once", "2 at once", "3 at once", "4 at once"};
    ComboFill(atOnce_.Handle(), kCounts, kMostItemsAtOnce);
    ComboSelect(atOnce_.Handle(), StoredItemsAtOnce() - 1);
    outputField_.SubclassDlgItem(IDC_OUTPUT_FOLDER, Handle());
    picture_.SubclassDlgItem(IDC_PICTURE, Handle());
    slider_.SubclassDlgItem(IDC_TRIM_SLIDER, Handle());

    list_.InitSkinScrollBars();
    ShowWindow(stop_.Handle(), SW_HIDE);
    player_.Create(Handle(), kPlayerRect, IDC_PLAYER);
    ShowWindow(player_.Handle(), SW_HIDE);
    EnableWindow(outputField_.Handle(), FALSE);
    panel_.SetUp(Handle());
    panel_.ShowStartingSettings();
    ResetTrimRange();
}

// An installer records the version it installed; a copy unpacked from the
// zip has none, and then shows the version it was built as.
void CMainDialog::ShowVersion() {
    std::string version = ReadSetting("Version");
    if (version.empty()) version = CLIPVANE_VERSION_TEXT;
    char text[600];
    std::snprintf(text, sizeof text, "V %s", version.c_str());
    SetWindowTextA(version_.Handle(), text);
}

void CMainDialog::LoadOutputDirectory() {
    outputDirectory = StartingOutputFolder();
    outputField_.SetFieldText(outputDirectory.c_str());
}

void CMainDialog::ShapeWindow() {
    if (HRGN shape = BitmapToRegion(background_.Get(), kShapeKey, 0)) SetWindowRgn(Handle(), shape, TRUE);
}

LRESULT CMainDialog::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) == kAboutCommand) return 0;
    return CDialog::WindowProc(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT CMainDialog::OnPaint() {
    if (!IsIconic(Handle())) return CDialog::WindowProc(WM_PAINT, 0, 0);
    CPaintDC paint(Handle());
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, icon_.Get());
    return 0;
}

BOOL CMainDialog::OnEraseBackground(HDC dc) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    CMemoryDC source(dc);
    CSelection selection(source.Get(), background_.Get());
    BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
    return TRUE;
}

void CMainDialog::OnHelp() {
    const std::string page = programFolder + "help\\help.html";
    ShellExecuteA(Handle(), nullptr, page.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

// Enter and Escape never end the window: only closing it does.
void CMainDialog::OnOK() {}
void CMainDialog::OnCancel() {}

// A close during a run asks first: it throws away what the running items have
// written. The window closes once the run's call has returned, so that
// nothing of the run touches a window that is gone. While the question shows,
// the run waits for the answer.
void CMainDialog::OnClose() {
    if (run_.Running()) {
        if (SkinMessageBox(kCloseDuringRunQuestion, "Question", MB_YESNO | MB_ICONQUESTION) == IDYES) {
            run_.RequestClose();
        }
        return;
    }
    EndDialog(IDCANCEL);
}

void CMainDialog::OnDestroy() {
    probes_.Stop();
    CDialog::WindowProc(WM_DESTROY, 0, 0);
    WriteSetting("fileno", std::to_string(lastFileNumber_));
    run_.StopConversion();
}

bool CMainDialog::PreTranslateMessage(MSG* message) {
    const bool keyboard = message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST;
    if (keyboard && (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE)) {
        // A control that uses the key itself (an open combo) still gets it.
        const LRESULT wants =
            SendMessageA(message->hwnd, WM_GETDLGCODE, message->wParam, reinterpret_cast<LPARAM>(message));
        return (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0;
    }
    if (message->message == WM_KEYDOWN && message->hwnd == list_.Handle()) {
        if (run_.Running()) return true;
        return OnListKeyDown(message->wParam);
    }
    return false;
}
