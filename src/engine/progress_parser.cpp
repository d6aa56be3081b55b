#include "engine/progress_parser.h"

#include <windows.h>

#include "engine/encoder_runner.h"
#include "engine/progress_text.h"

void ParseEncoderOutput(const EngineContext& context, const char* chunk) {
    const DWORD now = GetTickCount();
    ConversionItem item = context.tasks.Copy(context.currentItemIndex);
    if (ApplyProgress(item, chunk, now, context.item.itemStartTick)) context.runner.StopEncoder();
    context.tasks.Replace(context.currentItemIndex, item);
    context.view.RepaintProgressCell(context.currentItemIndex);
}

void SetItemStatus(const EngineContext& context, int status) {
    ConversionItem item = context.tasks.Copy(context.currentItemIndex);
    item.status = status;
    context.tasks.Replace(context.currentItemIndex, item);
    context.view.RepaintProgressCell(context.currentItemIndex);
}
