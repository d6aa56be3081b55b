#pragma once

#include <cstdint>
#include <string>
#include <vector>

// State of a conversion run that the stop button, the waiting loops and the
// progress reader share. Only the user-interface thread touches it.

// Set by the stop sequence, cleared when a run starts; every wait checks it.
extern bool cancelRequested;

// Tick count in milliseconds when the driver started the current item.
extern std::uint32_t itemStartTick;

// The panel's choices the current item is converted with. They are taken once
// when the item starts, so that a click on the panel between two passes can
// mix neither two families' names and files in its passes nor in its Stop
// clean-up.
struct ItemChoice {
    int deviceTab = -1;
    int profileEntry = -1;
    int threeGpType = -1;
};
extern ItemChoice itemChoice;

// The files the current item's passes have created, with those of the pass
// that is about to create them: the item's own, what a Stop deletes.
extern std::vector<std::string> itemFiles;

// Set once the current item's passes have all run: from then on a Stop must
// not delete what they wrote.
extern bool itemPassesEnded;
