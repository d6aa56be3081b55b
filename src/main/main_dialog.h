#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/fade_picture.h"
#include "controls/range_slider.h"
#include "controls/skin_button.h"
#include "controls/skin_combo_box.h"
#include "controls/skin_edit_field.h"
#include "controls/skin_label.h"
#include "engine/work_files.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/taskbar_progress.h"
#include "main/desktop.h"
#include "main/shut_down.h"
#include "main/task_list_view.h"
#include "player/media_probes.h"
#include "player/preview.h"
#include "player/video_edit.h"
#include "run/conversion_run.h"
#include "run/export_phase.h"
#include "settings/settings_panel.h"
#include "tasks/list_navigation.h"
#include "tasks/task_list.h"

// Clipvane's main window (template 102): the task list, the preview with its
// trim range, the output settings panel, the output folder and the buttons
// that convert. A conversion run is one long call of its run object inside
// the start button's handler, whose waits keep handling this window's
// messages, so every handler the user can reach first asks whether a run is
// under way.
class CMainDialog : public CDialog, private IItemView, private IRunHost {
public:
    // The window's title when no run is under way.
    static constexpr const char* kWindowTitle = "Clipvane";
    // onShown is called once the window is shown and painted (it closes the splash).
    CMainDialog(IShutDown& shutDown, IDesktop& desktop, std::function<void()> onShown, ProbeLimits probeLimits = {});
    ~CMainDialog() override;

    // Adds files to the task list as the Add button does after its dialog.
    // Their rows show at once, the last one selected; a row's length, End
    // Time and frame come once its file has been read (a file in which the
    // encoder finds neither picture nor sound is then unticked).
    void AddItems(const std::vector<std::string>& paths);
    void AddItem(const std::string& path) { AddItems({path}); }
    const TaskList& Tasks() const { return tasks_; }
    bool ConversionRunning() const { return run_.Running(); }
    CSettingsPanel& Panel() { return panel_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool PreTranslateMessage(MSG* message) override;

private:
    // Start-up and the window's own handlers.
    struct ButtonSetUp {
        CSkinButton& button;
        int id;
        int hoverIcon;
        int idleIcon;
        const char* tooltip;
        int alignment;
    };
    std::vector<ButtonSetUp> Buttons();
    void SetUpControls();
    void ShowVersion();
    void LoadOutputDirectory();
    void ShapeWindow();
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint();
    BOOL OnEraseBackground(HDC dc);
    void OnHelp();
    void OnClose();
    void OnDestroy();
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header);
    void OnDropFiles(HDROP drop);

    // Adding files: the Add dialog and dropped files or folders. Names refused
    // on the way are listed to the user in one message.
    void OnAdd();
    void AddFiles(const std::vector<std::wstring>& paths, std::vector<std::wstring> refused);

    // The task list.
    void SelectItem(int index);
    void SelectRow(int row);
    void RefreshItemCount();
    void RemoveSelectedItem();
    void RemoveAllItems();
    void DropUnwantedProbes();
    void OnListMouse();
    void OnListRightClick(const NMITEMACTIVATE& click);
    std::string OutputPathOf(int row);
    void TickAll(bool ticked);
    LRESULT OnCellClick(const CellHit& hit);
    LRESULT OnCellInfo(CellInfo& cell);
    bool OnListKeyDown(WPARAM key);
    void ShowPlayer(bool show);
    void OnProbed(WPARAM ticket);
    void ReadAgainFilesNotRead();
    bool WaitForProbes();
    void OnShown();

    // The preview and the trim range.
    void ShowStillFrame(const std::string& path, double time);
    // The item's frame at time, or the program's picture when it has none.
    void ShowPreview(const ConversionItem& item, double time);
    void SetTrimLimits(double low, double high);
    void SetTrimRange(double left, double right);
    void OnPlay();
    void OnStopPreview();
    void OnPlayComplete();
    LRESULT OnRangeChanged(WPARAM part, LPARAM dragEnded);

    // The settings panel's handlers (the panel does the work).
    void ResetOutputSettings();
    void ResetTrimRange();
    LRESULT OnTabChange();
    void OnPanelCommand(int id, int code);

    // The output folder, and the names the items would be written under in it.
    void OnChooseFolder();
    void OnOutputNamesChanged(bool choicesChanged);
    std::string PlannedOutputName(int index);

    // The start button: the run starts once every added file has been read.
    void StartConversion();

    // IItemView and IRunHost, for the run.
    void RepaintProgressCell(int itemIndex) override;
    void RepaintOutputCell(int itemIndex) override;
    std::string OutputFolderText() const override;
    void ClosePlayer() override;
    void ShowRunButtons(bool running) override;
    void EnableOutputSettings(bool enable) override;
    int ItemsAtOnce() const override;
    void ShowRunProgress(const std::string& title, int percent) override;
    void ClearRunProgress() override;
    bool ShutDownWhenFinished() const override;
    void ShutDownComputer() override;
    void ShowMessage(const std::string& text, const char* caption, unsigned type) override;
    bool WindowAlive() const override;
    void CloseWindow() override;

    IShutDown& shutDown_;
    IDesktop& desktop_;
    std::function<void()> onShown_;

    TaskList tasks_{SameFileName};
    int selectedIndex_ = -1;
    int runTab_ = 0;
    std::vector<std::string> plannedOutputs_;
    bool plannedOutputsStale_ = true;
    bool rangeGuard_ = false;
    bool waitingForProbes_ = false;
    int lastFileNumber_ = 0;

    CIconHandle icon_;
    CBitmapHandle background_;
    CSkinButton add_, remove_, removeAll_, start_, stop_, help_, chooseFolder_, play_, stopPreview_, close_, minimise_,
        shutDownBox_;
    CSkinLabel version_, outputLabel_;
    CSkinComboBox atOnce_;
    CTaskbarProgress taskbar_;
    CSkinEditField outputField_;
    CFadePicture picture_;
    CTaskListView list_;
    CRangeSlider slider_;
    CVideoEdit player_;
    CPreview preview_{player_};
    CSettingsPanel panel_;
    // Declared after everything its results touch: its threads are joined first.
    CMediaProbes probes_;
    CExportPhase exportPhase_;
    CConversionRun run_;
};
