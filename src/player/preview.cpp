#include "player/preview.h"

#include "player/video_edit.h"

void CPreview::ShowStillFrame(const std::string& source, double t, bool conversionRunning) {
    if (conversionRunning || previewBusy_) return;
    player_.Close();
    previewPlaying_ = false;
    previewBusy_ = true;
    player_.Reset();
    player_.SetOutputBitCount(24);
    // The player takes a time past the file's end at 0, once it has read the file.
    player_.OpenRange(source, t, t, 0);
    player_.Run();
}

void CPreview::Play(const ConversionItem& item, bool conversionRunning) {
    if (conversionRunning || previewBusy_) return;
    previewBusy_ = true;
    previewPlaying_ = true;
    player_.Reset();
    player_.OpenRange(item.sourcePath, item.beginTime, item.endTime, 1);
    player_.SetSelection(item.sourcePath, item.beginTime, item.endTime);
    player_.Run();
}

void CPreview::Stop(bool conversionRunning) {
    if (conversionRunning) return;
    player_.Stop();
    previewPlaying_ = false;
}

void CPreview::OnPlayComplete(bool conversionRunning) {
    if (!conversionRunning && !previewPlaying_) player_.Stop();
    previewBusy_ = false;
}
