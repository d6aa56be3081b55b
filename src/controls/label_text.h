#pragma once

#include <functional>
#include <string>
#include <vector>

// The text a skinned label keeps for itself: lines separated by line feeds.
// Texts and lines beyond the label's limits are cut, never written past a buffer.
class LabelText {
public:
    static constexpr size_t kMaxText = 1023;
    static constexpr size_t kMaxLine = 255;

    // A null text clears the label.
    void Set(const char* text);
    const std::string& Text() const { return text_; }
    // 1 + the number of line feeds.
    int LineCount() const { return lineCount_; }
    // The characters of line index without its line feed, at most kMaxLine of
    // them; empty for an index outside the text.
    std::string Line(int index) const;

private:
    std::string text_;
    int lineCount_ = 1;
};

// A line laid out in pieces no wider than width, broken after blanks (a run
// of blanks stays whole at the end of its piece, so no piece is blanks only);
// a word wider than width stands alone. measure(text) gives a text's width as
// it is drawn.
std::vector<std::string> WrapLine(const std::string& line, int width,
                                  const std::function<int(const std::string&)>& measure);

// Left edge of a line text of textWidth pixels in a label clientWidth wide, by
// the static style's alignment bits (0 left, 1 centred, 2 right).
int LabelLineX(unsigned styleAlignment, int clientWidth, int textWidth);
