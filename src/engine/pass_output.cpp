#include "engine/pass_output.h"

#include <sstream>

namespace {

constexpr std::size_t kKeptEachEnd = 32 * 1024;
// Longest reason a Progress cell is given; the log keeps the whole output.
constexpr std::size_t kReasonLimit = 100;

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
        return WithoutFileName(line).substr(0, kReasonLimit);
    }
    return std::string();
}
