#pragma once

#include <windows.h>

#include <string>

#include "engine/engine_context.h"
#include "player/export_run.h"
#include "run/conversion_run.h"

class CVideoEdit;

// The export phase of a RealMedia item: before the item's family conversion
// the player writes its trimmed range into an intermediate AVI or MPEG file in
// the output directory, which the conversion then reads instead of the source.
// In the Progress column the export is the first half of the item's progress.
//
// The main window owns one, gives it the task list and the list's repaint, and routes the player's export
// events to OnExportProgress() and OnExportFinished(). Those handlers only
// write the item and ask for a repaint; they never dispatch messages, and
// events that come while no ExportItem() waits are ignored.
class CExportPhase : public IItemExport {
public:
    struct Context {
        TaskList& tasks;
        IItemView& view;
        CVideoEdit& player;
    };

    explicit CExportPhase(const Context& context) : context_(context) {}

    // Exports the item and waits, handling the window's messages, until the
    // export has finished, failed, or the run's cancelRequested is set. True when the
    // intermediate file is ready. Otherwise the item is marked failed with its
    // reason, or canceled after a Stop, and must not be converted; the file is
    // deleted when the export made it (never a file that was there). An
    // export the player ended as stalled is such a failure, so the run goes
    // on with the next item.
    bool ExportItem(int itemIndex, const bool& cancelRequested) override;

    // The player's ExportProgress, position and length of the range in seconds.
    void OnExportProgress(double position, double total);
    // The player's ExportFinished.
    void OnExportFinished(ExportResult result);

private:
    void Fail(int itemIndex, const char* reason);
    void Cancel(int itemIndex);

    Context context_;
    int exportingIndex_ = -1;
    // When the export started: its speed and time left are measured from it.
    DWORD startTick_ = 0;
    bool waiting_ = false;
    bool finished_ = false;
    ExportResult result_ = ExportResult::Failed;
};
