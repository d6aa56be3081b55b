#include "player/progress_lines.h"

#include <cerrno>
#include <cstdlib>

namespace {

// A line longer than this is not FFmpeg's progress: it is dropped whole, and
// only its length is counted while it lasts, so a line without end takes no
// more memory than this.
constexpr std::size_t kLongestLine = 256;

}  // namespace

std::vector<double> ProgressLines::Feed(const char* bytes, std::size_t count) {
    std::vector<double> positions;
    for (std::size_t index = 0; index < count; ++index) {
        const char c = bytes[index];
        if (c != '\n') {
            if (partial_.size() < kLongestLine) {
                partial_ += c;
            } else {
                tooLong_ = true;
            }
            continue;
        }
        static const std::string key = "out_time_ms=";
        if (!tooLong_ && partial_.compare(0, key.size(), key) == 0) {
            const char* digits = partial_.c_str() + key.size();
            char* end = nullptr;
            errno = 0;
            const long long microseconds = std::strtoll(digits, &end, 10);
            if (end != digits && errno == 0 && microseconds >= 0) positions.push_back(microseconds / 1e6);
        }
        partial_.clear();
        tooLong_ = false;
    }
    return positions;
}
