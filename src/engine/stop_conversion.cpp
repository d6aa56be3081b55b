#include "engine/stop_conversion.h"

#include "engine/encoder_runner.h"
#include "engine/work_files.h"

void StopItem(const EngineContext& context) {
    if (context.item.passesEnded) return;
    context.runner.StopEncoder();
    for (const std::string& path : context.item.files) DeleteStoppedFile(context.tasks, path);
    const ConversionItem item = context.tasks.Copy(context.currentItemIndex);
    if (item.needsExport == 1) DeleteStoppedFile(context.tasks, item.exportPath);
}
