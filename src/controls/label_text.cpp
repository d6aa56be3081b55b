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
        // The longest start of rest that ends after a blank and still fits.
        size_t cut = 0;
        for (size_t blank = rest.find(' '); blank != std::string::npos; blank = rest.find(' ', blank + 1)) {
            if (measure(rest.substr(0, blank)) > width) break;
            cut = blank + 1;
        }
        if (cut == 0) cut = rest.find(' ') == std::string::npos ? rest.size() : rest.find(' ') + 1;
        pieces.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
        if (rest.empty()) return pieces;
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
