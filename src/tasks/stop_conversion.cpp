#include "tasks/stop_conversion.h"

#include "engine/encoder_runner.h"
#include "engine/run_state.h"
#include "engine/work_files.h"
#include "tasks/output_directory.h"
#include "tasks/stop_cleanup.h"

void StopConversion(const EngineContext& context) {
    cancelRequested = true;
    if (itemPassesEnded) return;  // what the item's passes wrote is finished, not half-written
    const ConversionItem item = context.tasks.Copy(context.currentItemIndex);
    for (const CleanupStep& step :
         PlanStopCleanup(itemChoice.deviceTab, itemChoice.threeGpType, item, outputDirectory)) {
        if (step.action == CleanupStep::Action::StopEncoder) {
            StopEncoder();
        } else {
            DeleteStoppedFile(context.tasks, step.path);
        }
    }
    if (item.needsExport == 1) DeleteStoppedFile(context.tasks, item.exportPath);
}
