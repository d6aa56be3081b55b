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
            continuing_ = false;
        } else {
            pending_ += c;
            if (pending_.size() == kLongestLine) {
                PassOn(pending_);
                pending_.clear();
                continuing_ = true;
            }
        }
    }
}

void OutputFilter::Finish() {
    PassOn(pending_);
    pending_.clear();
    continuing_ = false;
}

void OutputFilter::PassOn(std::string_view line) {
    if (line.empty()) return;  // the '\n' of a "\r\n", or a blank line
    // The rest of a line that was too long starts anywhere in a message.
    std::optional<std::string> rewritten;
    if (!continuing_) rewritten = RewriteProgressLine(line);
    if (rewritten) {
        progress_(*rewritten + kLineEnd);
    } else {
        messages_(std::string(line) + kLineEnd);
    }
}
