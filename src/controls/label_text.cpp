#include "controls/label_text.h"

#include <algorithm>
#include <cstring>

void LabelText::Set(const char* text) {
    text_.assign(text ? text : "", text ? strnlen(text, kMaxText) : 0);
    lineCount_ = 1 + static_cast<int>(std::count(text_.begin(), text_.end(), '\n'));
}

std::string LabelText::Line(int index) const {
    if (index < 0 || index >= lineCount_) return {};
    size_t start = 0;
    for (int line = 0; line < index; ++line) start = text_.find('\n', start) + 1;
    const size_t end = std::min(text_.find('\n', start), text_.size());
    return text_.substr(start, std::min(end - start, kMaxLine));
}

std::vector<std::string> WrapLine(const std::string& line, int width,
                                  const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> pieces;
    std::string rest = line;
    while (measure(rest) > width) {
        // Breaks come after a run of blanks that follows a word: the whole run
        // stays at the end of its piece, where it shows as nothing, so that no
        // piece is made of blanks only. Blanks that open the line indent its
        // first word. The first break is taken even when it does not fit.
        size_t cut = 0;
        for (size_t blank = rest.find(' ', rest.find_first_not_of(' ')); blank != std::string::npos;
             blank = rest.find(' ', cut)) {
            if (cut != 0 && measure(rest.substr(0, blank)) > width) break;
            cut = std::min(rest.find_first_not_of(' ', blank), rest.size());
        }
        if (cut == 0 || cut == rest.size()) break;
        pieces.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
    }
    pieces.push_back(rest);
    return pieces;
}

int LabelLineX(unsigned styleAlignment, int clientWidth, int textWidth) {
    switch (styleAlignment & 3) {
        case 1:
            return (clientWidth - textWidth) / 2;
        case 2:
            return clientWidth - textWidth - 2;
        default:
            return 2;
    }
}
