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
