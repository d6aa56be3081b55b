#pragma once

#include <string>

#include "tasks/conversion_item.h"

// What a run did with the ticked items, for its closing message: the message
// says "Converting Finished" only when every ticked item was converted.
struct RunSummary {
    bool stopped = false;
    int converted = 0;
    int failed = 0;

    // Counts one item after the run. An unticked item, and after a Stop a
    // ticked item the run never reached or the one it stopped, count neither way.
    void Count(const ConversionItem& item);
    bool AllConverted() const { return !stopped && failed == 0; }
    // "  Converting Finished  ", "  2 converted, 1 failed  " or
    // "  Converting stopped: 1 converted  ", with two blanks on each side.
    std::string Text() const;
};
