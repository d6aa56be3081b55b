#include "tasks/run_summary.h"

std::string RunSummary::Text() const {
    if (AllConverted()) return "  Converting Finished  ";
    std::string text = std::to_string(converted) + " converted";
    if (failed > 0) text += ", " + std::to_string(failed) + " failed";
    if (canceled > 0) text += ", " + std::to_string(canceled) + " canceled";
    return "  " + std::string(stopped ? "Converting stopped: " : "") + text + "  ";
}
