#include "tasks/run_summary.h"

void RunSummary::Count(const ConversionItem& item) {
    if (!item.selected) return;
    if (item.finished == 1) {
        ++converted;
    } else if (item.status != kStatusCanceled && (!stopped || item.status != kStatusNone)) {
        ++failed;
    }
}

std::string RunSummary::Text() const {
    if (AllConverted()) return "  Converting Finished  ";
    std::string text = std::to_string(converted) + " converted";
    if (failed > 0) text += ", " + std::to_string(failed) + " failed";
    return "  " + std::string(stopped ? "Converting stopped: " : "") + text + "  ";
}
