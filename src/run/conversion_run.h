#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "engine/encoder_runner.h"
#include "engine/engine_context.h"
#include "framework/side_by_side.h"
#include "run/run_host.h"
#include "tasks/run_summary.h"
#include "tasks/task_list.h"

// Writes a RealMedia item's range into an intermediate file the encoder can
// read; the player implements it, tests stand in for it.
class IItemExport {
public:
    virtual ~IItemExport() = default;
    // Waits (WaitTurn) until the export has ended or cancelRequested is set.
    // True when the item's intermediate file is ready. Otherwise the item is
    // marked failed, or canceled when the run was stopped, and nothing of the
    // export is left.
    virtual bool ExportItem(int itemIndex, const bool& cancelRequested) = 0;
};

// The most items a run converts side by side.
constexpr int kMostItemsAtOnce = 4;

// A conversion run over the ticked items of the task list, in list order, as
// many side by side as the host says: each item's export phase, its family's
// passes, the media-library step of a finished iPod item, Stop, a close
// during the run, the deletions that wait for a stopped program to let go,
// and the closing message.
//
// A run is one long call on the window's thread. Each item converts as a
// piece of CSideBySide, so the waits of all items and the window's messages
// share the thread: Stop and close arrive as nested calls of StopConversion()
// and RequestClose(). The one player exports one item at a time, and the
// media-library helper, which rewrites one playlist, runs for one item at a
// time. The run talks to the window only through the host, the item view and
// the task list.
class CConversionRun {
public:
    CConversionRun(TaskList& tasks, const IOutputSettings& settings, IItemView& view, IRunHost& host,
                   IItemExport& exporter);
    ~CConversionRun();

    // Converts every ticked item; returns when the run has ended. Does nothing
    // during a run or without a ticked item.
    void StartConversion();
    // The stop sequence: asks the run to end, stops every running item's
    // encoder and deletes what each has written so far. It never waits.
    void StopConversion();
    // A close of the window during the run: the run stops and the window
    // ends once the run's call has returned.
    void RequestClose();

    bool Running() const { return conversionRunning_ != 0; }

private:
    struct RunningItem;

    void ResetItemProgress();
    int NextTickedItem(int from) const;
    void StartItem(CSideBySide& pieces, int index);
    void DropEndedItems();
    void ConvertItem(RunningItem& running);
    void AddToMediaLibrary(RunningItem& running);
    void EndItem(RunningItem& running);
    void ShowProgress();
    void Finish();

    TaskList& tasks_;
    const IOutputSettings& settings_;
    IItemView& view_;
    IRunHost& host_;
    IItemExport& exporter_;
    int conversionRunning_ = 0;
    // Set by the stop sequence, cleared when a run starts; every wait of the
    // run checks it after handling the window's messages.
    bool cancelRequested_ = false;
    bool closeRequested_ = false;
    // The items converting now; a list, since the engine holds references
    // into each while others start and end.
    std::list<RunningItem> running_;
    std::vector<HeldName> heldNames_;
    COneAtATime exportTurn_;
    COneAtATime mediaLibraryTurn_;
    RunSummary summary_;
    // For the run's progress: the items it converts, when it started, and the title shown last.
    int itemsToConvert_ = 0;
    std::uint32_t startTick_ = 0;
    std::string shownTitle_;
};
