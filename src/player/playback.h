#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "player/frame_queue.h"
#include "player/media_report.h"
#include "player/picture_fit.h"
#include "player/picture_reader.h"
#include "player/playback_clock.h"
#include "player/sound_output.h"

// A still frame or a playback under way. It starts the encoder's runs, waits
// until the first frame (and enough sound) is there, then starts the clock;
// the window asks it on every tick for the frame to show. A still frame is a
// playback of one frame that ends once it is shown.
class CPlayback {
public:
    struct Range {
        std::string source;
        double start;
        double length;
        bool still;
    };

    CPlayback(const MediaInfo& info, const PictureRect& fit, const Range& range, CPictureReader::Wake wake);
    ~CPlayback() { Stop(); }
    CPlayback(const CPlayback&) = delete;
    CPlayback& operator=(const CPlayback&) = delete;

    // Starts the runs: pictures when the file has a picture, sound for a playback of a file with sound.
    void Start(const std::string& encoder);

    // On each tick, with the tick count: the frame due now, if any; ended
    // once the range is over or nothing more will come; nextTickMs, when the
    // next frame or the range's end is due.
    std::optional<Frame> Tick(DWORD now, bool& ended, UINT& nextTickMs);

    // Ends the runs and their threads at once.
    void Stop();

    // Once the first frame (and enough sound) was there and the clock ran.
    bool Started() const { return started_; }
    const PictureRect& Fit() const { return fit_; }
    std::size_t Dropped() const { return frames_.Dropped(); }
    bool FollowsSound() const { return started_ && sound_ && clock_.FollowsAudio(); }

private:
    const MediaInfo info_;
    const PictureRect fit_;
    const Range range_;
    const double frameRate_;
    FrameQueue frames_;
    CPictureReader reader_;
    std::unique_ptr<CSoundOutput> sound_;
    PlaybackClock clock_;
    bool started_ = false;
    DWORD startTick_ = 0;
    double shownUntil_ = 0.0;  // end of the last frame taken, in seconds of the range
};
