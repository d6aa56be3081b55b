#pragma once

#include <string>

#include "tasks/conversion_item.h"

class CVideoEdit;

// The main window's side of the preview: a still frame after adding or
// selecting an item and after a trim drag, and the play and stop buttons.
// previewBusy is raised from the start of a still frame or a playback until
// the player's PlayComplete, and further requests are dropped meanwhile;
// previewPlaying tells PlayComplete whether a playback or a still frame ended.
class CPreview {
public:
    explicit CPreview(CVideoEdit& player) : player_(player) {}

    // The frame at t of the source (at 0 when t lies past its end). Ignored
    // during a run, whose export the player's Close would end.
    void ShowStillFrame(const std::string& source, double t, bool conversionRunning);
    // The play button: the item's range with sound. Ignored during a run and
    // while busy; the caller has checked that an item is selected.
    void Play(const ConversionItem& item, bool conversionRunning);
    // The stop button: ignored during a run.
    void Stop(bool conversionRunning);
    // The player's PlayComplete. During a run it only lowers previewBusy: the
    // player may be exporting, and a Stop would end the export.
    void OnPlayComplete(bool conversionRunning);

    bool Busy() const { return previewBusy_; }
    bool Playing() const { return previewPlaying_; }

private:
    CVideoEdit& player_;
    bool previewBusy_ = false;
    bool previewPlaying_ = false;
};
