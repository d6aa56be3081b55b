#pragma once

#include "engine/engine_context.h"

// The device families' conversion routines. Each converts the item at the
// context's current index with the profile chosen in the panel, honours Stop,
// and leaves cancelRequested set for the driver when Stop ended it.
void ConvertIpod(const EngineContext& context);
void ConvertPsp(const EngineContext& context);
void Convert3gp(const EngineContext& context);
void ConvertSinglePass(const EngineContext& context);  // Xbox and PPC
void ConvertPmp(const EngineContext& context);

// The routine of a device tab: 0 iPod, 1 PSP, 2 3GP, 3 Xbox and 4 PPC, 5 PMP.
// Any other tab has no family and converts nothing.
void ConvertWithFamilyOfTab(const EngineContext& context, int deviceTab);
