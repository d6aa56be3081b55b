#include "run/export_phase.h"

#include "engine/encoder_log.h"
#include "engine/output_directory.h"
#include "engine/work_files.h"
#include "framework/side_by_side.h"
#include "player/codec_choice.h"
#include "player/export_figures.h"
#include "player/export_path.h"
#include "player/video_edit.h"
#include "tasks/random_number.h"

namespace {

std::vector<std::string> Names(const CVideoEdit::CCodecList& list) {
    std::vector<std::string> names;
    for (short index = 0; index < list.Count(); ++index) names.push_back(list.Item(index));
    return names;
}

const char kExportFailed[] = "Could not be exported";
const char kExportStalled[] = "Export stalled";

}  // namespace

bool CExportPhase::ExportItem(int itemIndex, const bool& cancelRequested) {
    CVideoEdit& player = context_.player;
    const CodecChoice codecs = ChooseExportCodecs(Names(player.VideoCodecs()), Names(player.AudioCodecs()));
    const ExportForm form = ExportFormFor(codecs);
    ConversionItem item = context_.tasks.Copy(itemIndex);

    player.Reset();
    player.SetOutputWidth(kExportWidth);
    player.SetOutputHeight(kExportHeight);
    player.SetOutputBitCount(kExportBitCount);
    player.SetOutputFrameRate(form.frameRate);
    player.SetOutputFormat(form.format);
    if (form.setCodecs) {
        player.SetUseVideoCodec(true);
        player.SetVideoCodecIndex(static_cast<short>(codecs.video));
        player.SetUseAudioCodec(true);
        player.SetAudioCodecIndex(static_cast<short>(codecs.audio));
    }
    player.OpenRange(item.sourcePath, item.beginTime, item.endTime, 0);
    player.SetSelection(item.sourcePath, item.beginTime, item.endTime);

    // In the output directory, which the user chose and can write to, and
    // never over a file that is there.
    const std::optional<std::string> path =
        ChooseExportPath(outputDirectory, item.workName, form.namePattern,
                         DrawNumber(kExportNumberLow, kExportNumberHigh), FileOrFolderExists);
    item.status = kStatusPlayerExport;
    item.exportDone = 0;
    item.exportPath = path.value_or(std::string());
    context_.tasks.Replace(itemIndex, item);
    context_.view.RepaintProgressCell(itemIndex);
    if (!path) {
        Fail(itemIndex, kExportFailed);
        return false;
    }

    startTick_ = GetTickCount();
    if (!player.ExportTo(*path)) {
        // Refused before it wrote anything: a file of that name (that
        // appeared since the name was chosen) is someone else's and stays.
        item.exportPath.clear();
        context_.tasks.Replace(itemIndex, item);
        Fail(itemIndex, kExportFailed);
        return false;
    }

    // Sleeps until a message comes; the export's events are messages, and so
    // is the Stop button that sets cancelRequested.
    exportingIndex_ = itemIndex;
    waiting_ = true;
    finished_ = false;
    while (!finished_ && !cancelRequested) {
        WaitTurn(nullptr, INFINITE);
    }
    waiting_ = false;

    if (!finished_ || result_ != ExportResult::Finished) {
        // Closing ends the encoder before its file, the export's own since
        // ExportTo(), is deleted.
        player.Close();
        DeleteWorkFile(context_.tasks, *path);
        if (cancelRequested) {
            Cancel(itemIndex);
        } else {
            Fail(itemIndex, finished_ && result_ == ExportResult::Stalled ? kExportStalled : kExportFailed);
        }
        return false;
    }
    return true;
}

void CExportPhase::OnExportProgress(double position, double total) {
    if (!waiting_) return;
    const int index = exportingIndex_;
    const ExportFigures figures = ComputeExportFigures(position, total, GetTickCount() - startTick_);
    ConversionItem item = context_.tasks.Copy(index);
    item.exportPosition = figures.position;
    item.exportPercent = figures.percent;
    item.exportRemaining = figures.remaining;
    context_.tasks.Replace(index, item);
    context_.view.RepaintProgressCell(index);
}

void CExportPhase::OnExportFinished(ExportResult result) {
    if (!waiting_) return;
    finished_ = true;
    result_ = result;
    if (result != ExportResult::Finished) return;
    const int index = exportingIndex_;
    ConversionItem item = context_.tasks.Copy(index);
    item.exportDone = 1;
    item.status = kStatusEncoding;
    context_.tasks.Replace(index, item);
    context_.view.RepaintProgressCell(index);
}

void CExportPhase::Fail(int itemIndex, const char* reason) {
    ConversionItem item = context_.tasks.Copy(itemIndex);
    item.status = kStatusFailed;
    item.failureReason = reason;
    item.exportDone = 0;
    context_.tasks.Replace(itemIndex, item);
    context_.view.RepaintProgressCell(itemIndex);
    LogNotConverted(item, std::string());
}

// A stopped export is canceled like any stopped pass: its figures would
// otherwise stay on the row as if it were still running.
void CExportPhase::Cancel(int itemIndex) {
    ConversionItem item = context_.tasks.Copy(itemIndex);
    item.status = kStatusCanceled;
    item.exportDone = 0;
    context_.tasks.Replace(itemIndex, item);
    context_.view.RepaintProgressCell(itemIndex);
}
