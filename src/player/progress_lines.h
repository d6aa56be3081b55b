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
    // negative or unreadable time is left out.
    std::vector<double> Feed(const char* bytes, std::size_t count);

private:
    std::string partial_;
};
