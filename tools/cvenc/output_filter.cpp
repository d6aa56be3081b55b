#include "cvenc/output_filter.h"

#include <optional>
#include <utility>

#include "cvenc/progress_line.h"

namespace {

// Text without any line end (a broken encoder, a binary written to the wrong
// place) is passed on in pieces of this size instead of piling up.
constexpr std::size_t kLongestLine = 64 * 1024;

constexpr const char* kLineEnd = "\r\n";

}  // namespace

OutputFilter::OutputFilter(Sink progress, Sink messages)
    : progress_(std::move(progress)), messages_(std::move(messages)) {}

void OutputFilter::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            PassOn(pending_);
            pending_.clear();
        } else {
            pending_ += c;
            if (pending_.size() == kLongestLine) {
                PassOn(pending_);
                pending_.clear();
            }
        }
    }
}

void OutputFilter::Finish() {
    PassOn(pending_);
    pending_.clear();
}

void OutputFilter::PassOn(std::string_view line) {
    if (line.empty()) return;  // the '\n' of a "\r\n", or a blank line
    if (std::optional<std::string> rewritten = RewriteProgressLine(line)) {
        progress_(*rewritten + kLineEnd);
    } else {
        messages_(std::string(line) + kLineEnd);
    }
}
