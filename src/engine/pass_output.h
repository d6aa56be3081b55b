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
// closing "Conversion failed!" name none. The line is whole: ShownReason
// makes it fit for a row.
std::string ProblemLine(const std::string& output);

// True when an encoding pass's output shows that the encoder finished its
// work: FFmpeg's closing summary ("video:12kB audio:3kB subtitle:0kB other
// streams:0kB global headers:0kB muxing overhead: 1.2%"), which it prints when
// it ends normally, also after 'q', or progress that reached the range's
// length. An exit code alone cannot tell: under Wine an encoder killed from
// outside half way reports 0 to its parent.
bool ShowsFinishedEncode(const std::string& output, double rangeSeconds);

// True when FFmpeg, told not to overwrite ("-n"), found the file there and
// gave up ("File 'PATH' already exists. Exiting."): the file is not the pass's.
bool RefusedExistingFile(const std::string& output, const std::string& path);
