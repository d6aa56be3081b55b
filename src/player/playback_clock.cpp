#include "player/playback_clock.h"

#include <cmath>

namespace {

constexpr double kMostDrift = 0.3;

}  // namespace

double PlaybackClock::Now(double wallSeconds, double audioSeconds) {
    if (followsAudio_ && (audioSeconds < 0.0 || std::fabs(audioSeconds - wallSeconds) > kMostDrift)) {
        followsAudio_ = false;
    }
    return followsAudio_ ? audioSeconds : wallSeconds;
}
