#include "tasks/stop_conversion.h"

#include "engine/encoder_runner.h"
#include "engine/run_state.h"
#include "engine/work_files.h"
#include "tasks/output_directory.h"
#include "tasks/stop_cleanup.h"

void StopConversion(const EngineContext& context) {
    cancelRequested = true;
    const ConversionItem item = context.tasks.Copy(context.currentItemIndex);
    for (const CleanupStep& step :
         PlanStopCleanup(context.settings.DeviceTab(), context.settings.ThreeGpType(), item, outputDirectory)) {
        if (step.action == CleanupStep::Action::StopEncoder) {
            StopEncoder();
        } else {
            DeleteStoppedFile(context.tasks, step.path);
        }
    }
    if (item.needsExport == 1) DeleteStoppedFile(context.tasks, item.exportPath);
}
