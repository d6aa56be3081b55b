#include "engine/pass_output.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#include "engine/progress_text.h"

namespace {

constexpr std::size_t kKeptEachEnd = 32 * 1024;

const char* const kProblemWords[] = {"rror", "nvalid", "No such", "ailed", "nknown", "not ", "annot", "denied"};

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Lines that describe or report progress rather than a problem.
bool IsInformation(const std::string& line) {
    return line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == '[' ||
           line.find("size=") != std::string::npos || line.find("time=") != std::string::npos ||
           StartsWith(line, "Input #") || StartsWith(line, "Output #") || StartsWith(line, "Stream mapping") ||
           StartsWith(line, "Press [q]") || line == "Conversion failed!";
}

bool NamesAProblem(const std::string& line) {
    for (const char* word : kProblemWords) {
        if (line.find(word) != std::string::npos) return true;
    }
    return false;
}

std::string WithoutFileName(const std::string& line) {
    const std::size_t colon = line.rfind(": ");
    return colon == std::string::npos ? line : line.substr(colon + 2);
}

// FFmpeg's closing summary, whole from the line's start: a source's tags are
// printed indented, file names only after other words.
bool IsClosingSummary(const std::string& line) {
    static const char* const kWords[] = {
        "video:", "kB audio:", "kB subtitle:", "kB other streams:", "kB global headers:", "kB muxing overhead: "};
    std::size_t at = 0;
    for (std::size_t word = 0;; ++word) {
        const std::string text = kWords[word];
        if (line.compare(at, text.size(), text) != 0) return false;
        at += text.size();
        if (word + 1 == std::size(kWords)) return true;
        const std::size_t digitsEnd = line.find_first_not_of("0123456789", at);
        if (digitsEnd == at || digitsEnd == std::string::npos) return false;
        at = digitsEnd;
    }
}

}  // namespace

void PassOutput::Append(const char* chunk) {
    std::string text(chunk);
    const std::size_t roomInHead = kKeptEachEnd - head_.size();
    head_ += text.substr(0, roomInHead);
    if (text.size() <= roomInHead) return;
    tail_ += text.substr(roomInHead);
    if (tail_.size() > kKeptEachEnd) {
        dropped_ += tail_.size() - kKeptEachEnd;
        tail_.erase(0, tail_.size() - kKeptEachEnd);
    }
}

std::string PassOutput::Text() const {
    if (dropped_ == 0) return head_ + tail_;
    return head_ + "\n[" + std::to_string(dropped_) + " bytes left out]\n" + tail_;
}

std::string ProblemLine(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line, '\n')) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.find('\r') != std::string::npos) line = line.substr(line.rfind('\r') + 1);
        if (IsInformation(line) || !NamesAProblem(line)) continue;
        return WithoutFileName(line);
    }
    return std::string();
}

bool ShowsFinishedEncode(const std::string& output, double rangeSeconds) {
    double reached = -1.0;
    std::size_t start = 0;
    while (start < output.size()) {
        // Each line with its end, so that a clock at the end of a line reads as whole.
        const std::size_t end = std::min(output.find_first_of("\r\n", start), output.size() - 1);
        const std::string line = output.substr(start, end + 1 - start);
        if (IsClosingSummary(line)) return true;
        const ProgressTokens tokens = ReadProgressTokens(line.c_str());
        if (tokens.hasTime && tokens.time > reached) reached = tokens.time;
        start = end + 1;
    }
    return reached >= 0.0 && !(reached < rangeSeconds);
}

bool RefusedExistingFile(const std::string& output, const std::string& path) {
    return output.find("File '" + path + "' already exists. Exiting.") != std::string::npos;
}
