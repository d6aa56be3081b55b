#pragma once

#include <cstdint>

// State of a conversion run that the stop button, the waiting loops and the
// progress reader share. Only the user-interface thread touches it.

// Set by the stop sequence, cleared when a run starts; every wait checks it.
extern bool cancelRequested;

// Tick count in milliseconds when the driver started the current item.
extern std::uint32_t itemStartTick;
