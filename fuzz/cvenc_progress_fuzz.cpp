// FFmpeg's standard error carries its progress lines among messages that
// quote a source's tags and file names. Whatever FFmpeg prints and wherever
// the pipe cuts it, cvenc passes on the same lines, and the converter, which
// reads cvenc's output in chunks cut anywhere, finds "size=" and "time=" only
// in FFmpeg's own progress lines, with a time that is finite and never negative.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "cvenc/output_filter.h"
#include "cvenc/progress_line.h"
#include "engine/progress_text.h"
#include "fuzz_support.h"

namespace {

// What cvenc writes to the pipe, in order; messages go out through its
// standard error, which defuses them.
struct Passed {
    std::vector<std::string> progress;
    std::vector<std::string> messages;
    std::string pipe;
    std::vector<bool> inProgressLine;  // for each byte of `pipe`
};

Passed Filter(const std::string& output, bool cutAnywhere) {
    Passed passed;
    const auto write = [&](const std::string& text, bool progress) {
        passed.pipe += text;
        passed.inProgressLine.insert(passed.inProgressLine.end(), text.size(), progress);
    };
    OutputFilter filter(
        [&](const std::string& line) {
            passed.progress.push_back(line);
            write(line, true);
        },
        [&](const std::string& line) {
            passed.messages.push_back(line);
            write(DefuseProgressTokens(line), false);
        });
    if (!cutAnywhere) {
        filter.Feed(output);
    } else {
        // Reads whose sizes follow the bytes of the output itself.
        for (std::size_t at = 0; at < output.size();) {
            const std::size_t piece = 1 + static_cast<unsigned char>(output[at]) % 61;
            filter.Feed(output.substr(at, piece));
            at += piece;
        }
    }
    filter.Finish();
    return passed;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "time=" then seconds with two decimals.
bool HasSecondsTime(const std::string& line) {
    std::size_t at = line.find("time=");
    if (at == std::string::npos) return false;
    at += 5;
    const std::size_t digits = at;
    while (at < line.size() && IsDigit(line[at])) ++at;
    return at > digits && at + 3 < line.size() && line[at] == '.' && IsDigit(line[at + 1]) && IsDigit(line[at + 2]) &&
           (line[at + 3] == ' ' || line[at + 3] == '\r');
}

// Every chunk that the converter may read with its first token at `at`.
void ExpectChunksReadSafely(const Passed& passed, std::size_t at, std::size_t shortest) {
    FUZZ_CHECK(passed.inProgressLine[at]);
    for (std::size_t end = at + shortest; end <= passed.pipe.size() && end <= at + shortest + 24; ++end) {
        const ProgressTokens tokens = ReadProgressTokens(passed.pipe.substr(at, end - at).c_str());
        if (tokens.hasTime) FUZZ_CHECK(std::isfinite(tokens.time) && tokens.time >= 0.0);
        if (tokens.hasSize) FUZZ_CHECK(tokens.sizeKB >= 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string output = AsText(data, size);
    const Passed whole = Filter(output, false);
    const Passed cut = Filter(output, true);
    FUZZ_CHECK(cut.progress == whole.progress && cut.messages == whole.messages);

    for (const std::string& line : whole.progress) {
        FUZZ_CHECK(HasSecondsTime(line));
        FUZZ_CHECK(line.find_first_of("\r\n") == line.size() - 2);
    }
    for (const std::string& token : {"size=", "time="}) {
        for (std::size_t at = whole.pipe.find(token); at != std::string::npos; at = whole.pipe.find(token, at + 1)) {
            ExpectChunksReadSafely(whole, at, token[0] == 's' ? 13 : 9);
        }
    }
    return 0;
}
