// A skinned label wraps a line that is wider than itself. Whatever the line,
// the width and the widths of its characters: the pieces put together are the
// line, a piece that does not fit holds a single word, no piece is made of
// blanks only (unless the line is), a piece breaks only after blanks and the
// next begins with a word, and no piece leaves room for the next one's first
// word.
//
// Input: the width in pixels (one byte), then the line; a character is 1 to
// 4 pixels wide by its low bits, so that widths are not byte counts.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/label_text.h"
#include "fuzz_support.h"

namespace {

int Measure(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) width += 1 + (c & 3);
    return width;
}

std::string WithoutClosingBlanks(const std::string& piece) {
    const std::size_t last = piece.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : piece.substr(0, last + 1);
}

// The piece's text from its first word on holds no blank.
bool SingleWord(const std::string& piece) {
    const std::string text = WithoutClosingBlanks(piece);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos || text.find(' ', first) == std::string::npos;
}

std::string FirstWord(const std::string& piece) { return piece.substr(0, piece.find(' ')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 512) return 0;
    const int width = data[0];
    const std::string line = AsText(data + 1, size - 1);
    const std::vector<std::string> pieces = WrapLine(line, width, Measure);

    std::string joined;
    for (const std::string& piece : pieces) joined += piece;
    FUZZ_CHECK(joined == line);
    const bool blanksOnly = line.find_first_not_of(' ') == std::string::npos;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string& piece = pieces[i];
        FUZZ_CHECK(Measure(WithoutClosingBlanks(piece)) <= width || SingleWord(piece));
        if (!blanksOnly) FUZZ_CHECK(piece.find_first_not_of(' ') != std::string::npos);
        if (i + 1 == pieces.size()) continue;
        const std::string& next = pieces[i + 1];
        FUZZ_CHECK(piece.back() == ' ' && next.front() != ' ');
        FUZZ_CHECK(Measure(piece + FirstWord(next)) > width);
    }
    return 0;
}
