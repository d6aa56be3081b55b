#pragma once

#include <string>
#include <vector>

#include "tasks/conversion_item.h"

// What the stop sequence does for the family on the current tab, by the phase
// the item is in: stop the encoder and delete the files that phase leaves
// half-written, in this order. Nothing here waits.
struct CleanupStep {
    enum class Action { StopEncoder, Delete };
    Action action;
    std::string path;  // for Delete
};

std::vector<CleanupStep> PlanStopCleanup(int deviceTab, int threeGpType, const ConversionItem& item,
                                         const std::string& outputDirectory);
