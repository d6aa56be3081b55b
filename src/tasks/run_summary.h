#pragma once

#include <string>

// What a run did with the items it reached, for its closing message: the
// message says "Converting Finished" only when every one was converted. An
// item the run never reached (unticked, or after a Stop) counts nowhere.
struct RunSummary {
    bool stopped = false;
    int converted = 0;
    int failed = 0;
    int canceled = 0;

    bool AllConverted() const { return !stopped && failed == 0 && canceled == 0; }
    // "  Converting Finished  ", "  2 converted, 1 failed  " or
    // "  Converting stopped: 1 converted, 1 canceled  ", with two blanks on
    // each side.
    std::string Text() const;
};
