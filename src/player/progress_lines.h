#pragma once

#include <string>
#include <vector>

// Reads the blocks that "-progress pipe:1" prints every half second
// ("out_time_ms=2040000", in microseconds despite its name, then
// "progress=continue" or "progress=end"), in whatever pieces the pipe hands
// them over.
class ProgressLines {
public:
    // The positions, in seconds, of the complete lines in this piece. A
    // negative or unreadable time is left out, and so is a line of more than
    // 256 bytes.
    std::vector<double> Feed(const char* bytes, std::size_t count);

private:
    std::string partial_;   // the line so far, at most 256 bytes
    bool tooLong_ = false;  // the line so far is longer: it is dropped at its end
};
