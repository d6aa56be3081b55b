#include "player/playback.h"

#include <algorithm>
#include <limits>

#include "player/encoder_commands.h"

namespace {

// Frames decoded ahead of the clock: about a third of a second at 25 frames a second.
constexpr std::size_t kFramesAhead = 8;

// How often the window looks while no frame is waiting (the reader's message
// brings the first one at once).
constexpr UINT kWaitingTickMs = 20;

// Sources that give no rate (or a silly one) play at 25 frames a second;
// faster sources are shown at no more than 60.
double PreviewRate(double sourceRate) { return sourceRate >= 1.0 ? std::min(sourceRate, 60.0) : 25.0; }

std::size_t FrameBytes(const PictureRect& fit) {
    return static_cast<std::size_t>(fit.width) * static_cast<std::size_t>(fit.height) * 3;
}

}  // namespace

CPlayback::CPlayback(const MediaInfo& info, const PictureRect& fit, const Range& range, CPictureReader::Wake wake)
    : info_(info),
      fit_(fit),
      range_(range),
      frameRate_(PreviewRate(info.frameRate)),
      frames_(kFramesAhead),
      reader_(frames_, FrameBytes(fit), frameRate_, wake) {}

void CPlayback::Start(const std::string& encoder) {
    if (!range_.still && info_.hasAudio) {
        sound_ = std::make_unique<CSoundOutput>();
        if (!sound_->Open(SoundCommand(encoder, range_.source, range_.start, range_.length))) sound_.reset();
    }
    if (!info_.hasVideo || fit_.width == 0) {
        frames_.MarkEnded();
    } else if (range_.still) {
        reader_.Start(StillFrameCommand(encoder, range_.source, range_.start, fit_.width, fit_.height));
    } else {
        reader_.Start(
            PicturesCommand(encoder, range_.source, range_.start, range_.length, fit_.width, fit_.height, frameRate_));
    }
}

std::optional<Frame> CPlayback::Tick(DWORD now, bool& ended, UINT& nextTickMs) {
    ended = false;
    nextTickMs = kWaitingTickMs;
    if (!started_) {
        const bool picturesReady = frames_.NextTime() || frames_.Drained();
        if (!picturesReady || (sound_ && !sound_->Ready())) return std::nullopt;
        started_ = true;
        startTick_ = now;
        if (sound_) sound_->Play();
    }
    if (range_.still) {
        std::optional<Frame> frame = frames_.TakeDue(std::numeric_limits<double>::infinity());
        ended = frame || frames_.Drained();
        return frame;
    }
    const double wall = (now - startTick_) / 1000.0;
    const double clock = clock_.Now(wall, sound_ ? sound_->Position() : -1.0);
    std::optional<Frame> frame = frames_.TakeDue(clock);
    if (frame) shownUntil_ = frame->time + 1.0 / frameRate_;
    // The range ends by the clock: a stream may run on a little past it.
    const bool allTaken = frames_.Drained() && (!sound_ || sound_->Ended());
    ended = clock >= range_.length || (allTaken && clock >= shownUntil_);
    const std::optional<double> next = frames_.NextTime();
    const double due = std::min(next ? *next : shownUntil_, range_.length);
    if (next || due > clock) nextTickMs = static_cast<UINT>(std::clamp((due - clock) * 1000.0, 1.0, 100.0));
    return frame;
}

void CPlayback::Stop() {
    reader_.Stop();
    if (sound_) sound_->Close();
}
