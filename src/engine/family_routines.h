#pragma once

#include <string>
#include <vector>

#include "engine/engine_context.h"

// The device families' conversion routines. Each converts the item at the
// context's current index with the choices it started with (BeginItem),
// honours Stop, and leaves cancelRequested set for the driver when Stop ended it.
void ConvertIpod(const EngineContext& context);
void ConvertPsp(const EngineContext& context);
void Convert3gp(const EngineContext& context);
void ConvertSinglePass(const EngineContext& context);  // Xbox and PPC
void ConvertPmp(const EngineContext& context);

// Called by the run when it starts an item, before any export: takes the
// device tab, profile entry and 3GP type from the panel for the item's passes
// and its Stop clean-up.
void BeginItem(const EngineContext& context);

// The file name each item's output would be written under if a run started
// now with the panel's choices: the free names the run would choose, each
// item after the ones before it. Empty for an item that would be refused.
std::vector<std::string> PlannedOutputNames(TaskList& tasks, const IOutputSettings& settings);

// The routine of the item's device tab: 0 iPod, 1 PSP, 2 3GP, 3 Xbox and 4 PPC,
// 5 PMP. Any other tab has no family and converts nothing.
void ConvertWithFamilyOfTab(const EngineContext& context);
