#include "controls/label_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(LabelText, SplitsAtLineFeeds) {
    LabelText label;
    label.Set("first\nsecond line\n");
    EXPECT_EQ(label.LineCount(), 3);
    const std::vector<std::string> lines = {label.Line(-1), label.Line(0), label.Line(1), label.Line(2), label.Line(3)};
    EXPECT_EQ(lines, (std::vector<std::string>{"", "first", "second line", "", ""}));

    label.Set(nullptr);
    EXPECT_EQ(label.Text(), "");
    EXPECT_EQ(label.LineCount(), 1);
}

TEST(LabelText, LongTextsAndLinesAreCut) {
    LabelText label;
    std::string text(1020, 'a');
    text += "\n\n\n\n\n";  // the last two line feeds fall beyond the limit
    label.Set(text.c_str());
    EXPECT_EQ(label.Text().size(), 1023u);
    EXPECT_EQ(label.LineCount(), 4);

    const std::string longLine(300, 'b');
    label.Set((longLine + "\nshort").c_str());
    EXPECT_EQ(label.Line(0), std::string(255, 'b'));
    EXPECT_EQ(label.Line(1), "short");
}

TEST(LabelText, ALineWiderThanTheLabelWrapsAfterBlanksAndNeverSplitsAWord) {
    const auto characters = [](const std::string& text) { return static_cast<int>(text.size()); };
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(WrapLine("Video for Pocket PC", 10, characters), (Pieces{"Video for ", "Pocket PC"}));
    EXPECT_EQ(WrapLine("Windows-Mobile x", 5, characters), (Pieces{"Windows-Mobile ", "x"}));
    EXPECT_EQ(WrapLine("fits", 10, characters), (Pieces{"fits"}));
}

TEST(LabelText, LineXByAlignment) {
    EXPECT_EQ(LabelLineX(0, 100, 40), 2);
    EXPECT_EQ(LabelLineX(1, 100, 40), 30);
    EXPECT_EQ(LabelLineX(2, 100, 40), 58);
    EXPECT_EQ(LabelLineX(3, 100, 40), 2);
    EXPECT_EQ(LabelLineX(0x50000001, 100, 41), 29);  // only the low two style bits count
}

}  // namespace
