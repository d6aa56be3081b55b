#include "cvenc/progress_line.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::string_view kUnknown = "N/A";

// FFmpeg's own width for the size field ("%8.0fkB"), so the converter finds
// the number within the eight characters after the token as usual.
constexpr std::string_view kUnknownSize = "       0kB";

// Enough hour digits for any real position, few enough that hundredths of a
// second cannot overflow 64 bits.
constexpr std::size_t kLongestHours = 12;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a line field by field; every step either matches and moves on or
// leaves the reader where it was.
class FieldReader {
public:
    explicit FieldReader(std::string_view line) : line_(line) {}

    std::size_t At() const { return at_; }
    bool AtEnd() const { return at_ == line_.size(); }

    bool Text(std::string_view text) {
        if (line_.substr(at_, text.size()) != text) return false;
        at_ += text.size();
        return true;
    }

    void Blanks() {
        while (at_ < line_.size() && line_[at_] == ' ') ++at_;
    }

    // Digits, at least one and at most `longest`; their value in `number`.
    bool Digits(std::size_t longest, std::uint64_t* number = nullptr) {
        const std::size_t start = at_;
        std::uint64_t value = 0;
        while (at_ < line_.size() && IsDigit(line_[at_]) && at_ - start < longest)
            value = value * 10 + (line_[at_++] - '0');
        if (at_ == start || (at_ < line_.size() && IsDigit(line_[at_]))) return Back(start);
        if (number != nullptr) *number = value;
        return true;
    }

    // A printf number as FFmpeg writes its figures: padding blanks, a sign
    // where one may stand, digits and an optional fraction.
    bool Figure(bool mayBeNegative) {
        const std::size_t start = at_;
        Blanks();
        if (mayBeNegative) Text("-");
        if (!Digits(kLongestFigure)) return Back(start);
        if (Text(".") && !Digits(kLongestFigure)) return Back(start);
        return true;
    }

    // "%g": the same, or in exponent form ("1.23e+03").
    bool ShortestFigure() {
        const std::size_t start = at_;
        if (!Figure(false)) return false;
        if (Text("e") && !((Text("+") || Text("-")) && Digits(3))) return Back(start);
        return true;
    }

private:
    static constexpr std::size_t kLongestFigure = 20;

    bool Back(std::size_t start) {
        at_ = start;
        return false;
    }

    std::string_view line_;
    std::size_t at_ = 0;
};

// "[-]HH:MM:SS.ff", as hundredths of a second; false for anything else.
bool ReadClock(FieldReader& reader, bool& negative, std::uint64_t& hundredths) {
    negative = reader.Text("-");
    std::uint64_t hours, minutes, seconds, fraction;
    if (!reader.Digits(kLongestHours, &hours) || !reader.Text(":") || !reader.Digits(2, &minutes) ||
        !reader.Text(":") || !reader.Digits(2, &seconds) || !reader.Text(".") || !reader.Digits(2, &fraction)) {
        return false;
    }
    hundredths = ((hours * 60 + minutes) * 60 + seconds) * 100 + fraction;
    return true;
}

// Where the parts of a progress line that get rewritten lie.
struct ProgressFields {
    std::size_t sizeValue = 0;
    bool sizeUnknown = false;
    std::size_t timeValue = 0;
    std::size_t timeEnd = 0;
    std::uint64_t hundredths = 0;  // 0 for a position that is unknown or before the start
};

// FFmpeg 4.1's progress line, all of it and nothing else:
//   [frame=%5d fps=%3.*f q=%3.1f (q=%2.1f )*[L]]size=(%8.0fkB|N/A) time=(CLOCK|N/A)
//   bitrate=(%6.1fkbits/s|N/A)[ dup=%d drop=%d] speed=(%4.3gx|N/A), then the blanks that pad it.
// Nothing a source says can pass for it: FFmpeg starts the lines that show
// a source's tags with blanks and the tag's name, and those that name a file
// with its full path.
bool ReadProgressFields(std::string_view line, ProgressFields& fields) {
    FieldReader reader(line);
    if (reader.Text("frame=")) {
        if (!reader.Figure(false) || !reader.Text(" fps=") || !reader.Figure(false) || !reader.Text(" q=") ||
            !reader.Figure(true) || !reader.Text(" ")) {
            return false;
        }
        while (reader.Text("q=")) {
            if (!reader.Figure(true) || !reader.Text(" ")) return false;
        }
        reader.Text("L");
    }
    if (!reader.Text("size=")) return false;
    fields.sizeValue = reader.At();
    fields.sizeUnknown = reader.Text(kUnknown);
    if (!fields.sizeUnknown && !(reader.Figure(false) && reader.Text("kB"))) return false;

    if (!reader.Text(" time=")) return false;
    fields.timeValue = reader.At();
    bool negative = false;
    if (!reader.Text(kUnknown) && !ReadClock(reader, negative, fields.hundredths)) return false;
    if (negative) fields.hundredths = 0;
    fields.timeEnd = reader.At();

    if (!reader.Text(" bitrate=")) return false;
    if (!reader.Text(kUnknown) && !(reader.Figure(false) && reader.Text("kbits/s"))) return false;
    if (reader.Text(" dup=") && !(reader.Digits(20) && reader.Text(" drop=") && reader.Digits(20))) return false;
    if (!reader.Text(" speed=")) return false;
    if (!reader.Text(kUnknown) && !(reader.ShortestFigure() && reader.Text("x"))) return false;
    reader.Blanks();
    return reader.AtEnd();
}

std::string SecondsText(std::uint64_t hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(hundredths / 100),
                  static_cast<unsigned long long>(hundredths % 100));
    return text;
}

}  // namespace

std::optional<std::string> RewriteProgressLine(std::string_view line) {
    ProgressFields fields;
    if (!ReadProgressFields(line, fields)) return std::nullopt;

    std::string rewritten(line.substr(0, fields.timeValue));
    rewritten += SecondsText(fields.hundredths);
    rewritten += line.substr(fields.timeEnd);
    if (fields.sizeUnknown) rewritten.replace(fields.sizeValue, kUnknown.size(), kUnknownSize);

    rewritten.erase(rewritten.find_last_not_of(' ') + 1);  // FFmpeg pads the line to clear the last one
    return rewritten;
}

std::string DefuseProgressTokens(std::string_view text) {
    const auto endsWith = [](const std::string& text, std::string_view word) {
        return text.size() >= word.size() && text.compare(text.size() - word.size(), word.size(), word) == 0;
    };
    std::string defused;
    defused.reserve(text.size());
    for (char c : text) {
        if (c == '=' && (endsWith(defused, "size") || endsWith(defused, "time"))) defused += ' ';
        defused += c;
    }
    return defused;
}
