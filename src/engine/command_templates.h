#pragma once

#include <string>

#include "engine/engine_context.h"

// Expands a command template of the PSP, 3GP, Xbox, PPC or PMP families for the
// item being converted, at the local time of the call.
std::string ExpandCommand(const EngineContext& context, const std::string& commandTemplate);

// Reads the iPod template of the chosen "Profile setting" from the iPod profile
// file and expands it for the item at the index. Makes the app folder current
// and leaves the profile reader on the iPod file.
std::string BuildIpodCommand(const EngineContext& context, int itemIndex);
