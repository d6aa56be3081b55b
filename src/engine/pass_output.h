#pragma once

#include <cstddef>
#include <string>

// What is kept of a piped pass's output: its start, where an encoder says that
// it cannot read its input, and its end, where it says why it gave up. The
// middle of a long run is progress lines only.
class PassOutput {
public:
    void Append(const char* chunk);
    std::string Text() const;

private:
    std::string head_;
    std::string tail_;
    std::size_t dropped_ = 0;
};

// The first line of an encoder's output that names a problem, without the file
// name the encoder puts before it ("C:\in\a.avi: Invalid data found when
// processing input" gives "Invalid data found when processing input"); empty
// when no line does. Progress lines, stream descriptions and the encoder's
// closing "Conversion failed!" name none.
std::string ProblemLine(const std::string& output);
