#pragma once

#include <functional>
#include <string>
#include <string_view>

// Sorts what FFmpeg writes to its standard error: progress lines, rewritten,
// to one place (cvenc's standard output), everything else unchanged to another.
// FFmpeg ends progress lines with '\r' and messages with '\n', and the pipe
// cuts its text anywhere, so lines are put together across reads first.
class OutputFilter {
public:
    // Each call gets one whole line with "\r\n" after it, to be written at once.
    using Sink = std::function<void(const std::string& line)>;

    OutputFilter(Sink progress, Sink messages);

    void Feed(std::string_view bytes);

    // Passes on a last line that has no line end.
    void Finish();

private:
    void PassOn(std::string_view line);

    Sink progress_;
    Sink messages_;
    std::string pending_;
    bool continuing_ = false;  // pending_ goes on with a line already passed on in part
};
