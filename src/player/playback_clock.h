#pragma once

// The clock that a playback shows its frames by. The sound card's position is
// the best clock while it tells the truth, since the picture must follow the
// sound; but a card can run fast (a null device plays several times too fast),
// stall, or be missing. So the card's position is used only while it stays
// within 0.3 s of the wall clock; once it strays, the wall clock takes over
// for the rest of the playback.
class PlaybackClock {
public:
    // The playback position in seconds since it started, given the seconds of
    // wall time since then and the sound card's position (negative for none).
    double Now(double wallSeconds, double audioSeconds);

    bool FollowsAudio() const { return followsAudio_; }

private:
    bool followsAudio_ = true;
};
