// cvenc takes a profile's command in the old option dialect and hands FFmpeg
// one joined command line, which FFmpeg splits again by Windows' rules. For
// any arguments, the translation either says what is wrong or gives arguments
// that come back from the joined line exactly as they were meant.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cvenc/argument_translation.h"
#include "cvenc/command_line.h"
#include "fuzz_support.h"

namespace {

const char kProgram[] = "C:\\Program Files\\Clipvane\\app\\ffmpeg.exe";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// How the C runtime (and CommandLineToArgvW) splits a command line: the
// program's name up to the next quote or blank, without backslash rules; then
// words between blanks, where quotes group, 2n backslashes before a quote are
// n and the quote counts, 2n+1 are n and a literal quote, and other
// backslashes are literal.
std::vector<std::string> SplitLikeWindows(const std::string& line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    std::string program;
    if (at < line.size() && line[at] == '"') {
        const std::size_t close = line.find('"', at + 1);
        program = line.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
        at = close == std::string::npos ? line.size() : close + 1;
    } else {
        while (at < line.size() && !IsBlank(line[at])) program += line[at++];
    }
    words.push_back(program);
    for (;;) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size()) return words;
        std::string word;
        bool quoted = false;
        while (at < line.size() && (quoted || !IsBlank(line[at]))) {
            std::size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\') ++backslashes, ++at;
            if (at < line.size() && line[at] == '"') {
                word.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    word += '"';
                } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    word += '"';  // "" inside quotes is one literal quote
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                word.append(backslashes, '\\');
                if (at < line.size() && (quoted || !IsBlank(line[at]))) word += line[at++];
            }
        }
        words.push_back(word);
    }
}

void ExpectSplitsBack(const std::vector<std::string>& arguments) {
    std::vector<std::string> expected = {kProgram};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    FUZZ_CHECK(SplitLikeWindows(JoinCommandLine(kProgram, arguments)) == expected);
}

}  // namespace

// Input: the arguments, each ended by a zero byte (a command line cannot hold one).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> dialect = ZeroSeparated(data, size);
    ExpectSplitsBack(dialect);

    const Translation translation = TranslateArguments(dialect);
    if (!translation.error.empty()) return 0;
    // FFmpeg always prints the progress the converter reads.
    const std::vector<std::string> front = {"-hide_banner", "-stats"};
    FUZZ_CHECK(translation.arguments.size() >= front.size() &&
               std::equal(front.begin(), front.end(), translation.arguments.begin()));
    ExpectSplitsBack(translation.arguments);
    return 0;
}
