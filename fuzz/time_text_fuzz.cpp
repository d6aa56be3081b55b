// Times reach the clock texts from the encoder's output and from the player:
// any double becomes whole seconds without overflow, and the texts are never
// cut short.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/time_text.h"
#include "fuzz_support.h"

namespace {

// Input: a double, a long long, then the six fields of a local clock; missing
// bytes are zero.
struct Fields {
    double seconds = 0.0;
    long long wholeSeconds = 0;
    int clock[6] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fields fields;
    std::memcpy(&fields, data, size < sizeof fields ? size : sizeof fields);

    const long long whole = WholeSeconds(fields.seconds);
    FUZZ_CHECK(whole >= -9000000000000000LL && whole <= 9000000000000000LL);
    if (std::isnan(fields.seconds)) FUZZ_CHECK(whole == 0);
    if (std::fabs(fields.seconds) < 9.0e15) FUZZ_CHECK(whole == static_cast<long long>(std::trunc(fields.seconds)));

    // A whole number of seconds reads back from its clock text.
    for (long long value : {whole, fields.wholeSeconds}) {
        const std::string clock = FormatClock(value);
        if (value < 0) continue;
        long long hours = 0;
        int minutes = 0, seconds = 0, used = 0;
        FUZZ_CHECK(std::sscanf(clock.c_str(), "%lld:%2d:%2d%n", &hours, &minutes, &seconds, &used) == 3);
        FUZZ_CHECK(used == static_cast<int>(clock.size()) && minutes < 60 && seconds < 60);
        FUZZ_CHECK(hours * 3600 + minutes * 60 + seconds == value);
    }

    LocalClock local;
    local.year = fields.clock[0];
    local.month = fields.clock[1];
    local.day = fields.clock[2];
    local.hour = fields.clock[3];
    local.minute = fields.clock[4];
    local.second = fields.clock[5];
    const std::string stamp = FormatTimestamp(local);
    char uncut[160];
    std::snprintf(uncut, sizeof uncut, "%d-%02d-%02d %02d:%02d:%02d", local.year, local.month, local.day, local.hour,
                  local.minute, local.second);
    FUZZ_CHECK(stamp == uncut);
    return 0;
}
