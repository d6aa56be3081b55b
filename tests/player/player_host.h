#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../support/message_pump.h"
#include "framework/window.h"
#include "player/video_edit.h"

// A top-level window with a player in the preview's place, as the main
// window will have it, that records the events the player posts to it.
class PlayerHost : public CWindow {
public:
    using Event = MSG;  // as it reached the host

    PlayerHost(const std::string& encoder, std::function<void(const std::string&)> deleteFile,
               PlayerLimits limits = {});

    CVideoEdit& Player() { return *player_; }
    std::vector<Event> events;
    int Count(UINT message) const {
        return static_cast<int>(std::count_if(events.begin(), events.end(),
                                              [message](const Event& event) { return event.message == message; }));
    }
    // The events of a kind once every message posted before this call,
    // the player's events included, has been handled.
    int SettledCount(UINT message) {
        PostAndHandle(Handle(), {});
        return Count(message);
    }

    // Called for each event as it arrives.
    std::function<void(const Event&)> onEvent;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Goes before the host's window, which the base destroys.
    std::unique_ptr<CVideoEdit> player_;
};
