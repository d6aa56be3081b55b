#include "engine/stop_conversion.h"

#include "engine/family_routines.h"
#include "engine/run_state.h"
#include "engine/work_files.h"

void StopConversion(const EngineContext& context) {
    cancelRequested = true;
    if (itemPassesEnded) return;  // what the item's passes wrote is finished, not half-written
    StopItemEncoder();
    for (const std::string& path : itemFiles) DeleteStoppedFile(context.tasks, path);
    const ConversionItem item = context.tasks.Copy(context.currentItemIndex);
    if (item.needsExport == 1) DeleteStoppedFile(context.tasks, item.exportPath);
}
