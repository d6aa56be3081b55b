#pragma once

#include <optional>
#include <string>

#include "engine/engine_context.h"

// Expands a command template of the PSP, 3GP, Xbox, PPC or PMP families for the
// item being converted, with the choices it started with, at the local time of
// the call. Nothing when the command does not fit its limit.
std::optional<std::string> ExpandCommand(const EngineContext& context, const std::string& commandTemplate);

// Reads the iPod template of the chosen "Profile setting" from the iPod profile
// file. Makes the app folder current and leaves the profile reader on the iPod file.
std::string ReadIpodTemplate(const IOutputSettings& settings);

// Expands an iPod template for the item at the index. Nothing when the command
// does not fit its limit.
std::optional<std::string> BuildIpodCommand(const EngineContext& context, int itemIndex,
                                            const std::string& commandTemplate);
