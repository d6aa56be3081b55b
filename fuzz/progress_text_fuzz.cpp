// Every chunk of the encoder's output is read for progress, and the encoder
// prints a source's own tags and name unchanged: whatever a chunk says, the
// item gets a finite, non-negative time and speed, and a plain item is never
// stopped.
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/progress_text.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string chunk = AsText(data, size);  // a zero byte ends it, as it ends a chunk
    const ProgressTokens tokens = ReadProgressTokens(chunk.c_str());
    if (tokens.hasTime) FUZZ_CHECK(std::isfinite(tokens.time) && tokens.time >= 0.0);

    ConversionItem plain;
    plain.endTime = 10.0;
    FUZZ_CHECK(!ApplyProgress(plain, chunk.c_str(), 1500, 1000));
    FUZZ_CHECK(std::isfinite(plain.encodedTime) && plain.encodedTime >= 0.0);
    FUZZ_CHECK(std::isfinite(plain.encodingSpeed) && plain.encodingSpeed >= 0.0);

    // An exported item stops only at a time that has really been reached.
    ConversionItem exported = plain;
    exported.needsExport = 1;
    exported.outputSizeKB = 1;
    const bool stop = ApplyProgress(exported, chunk.c_str(), 1500, 1000);
    FUZZ_CHECK(stop == (tokens.hasTime && exported.outputSizeKB > 0 && tokens.time >= 10.0));
    return 0;
}
