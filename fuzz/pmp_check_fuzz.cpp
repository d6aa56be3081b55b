// "pmpmux -check" reads a written .pmp back before the conversion calls it
// done, so it meets whatever a failed or foreign write left. Whatever the
// bytes, it answers with a verdict and one line of reason, and reading
// through the cache gives the same verdict as reading directly.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pmpmux/mp3_frames.h"
#include "pmpmux/pmp_check.h"

// Input: the .pmp and the MP3 as two files (see TwoFiles); without MP3 bytes
// the .pmp must hold silence only.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [pmpBytes, mp3Bytes] = TwoFiles(data, size);
    MemorySource audioFile(mp3Bytes);
    Mp3Stream audio = SilentMp3Stream();
    std::string error;
    if (!mp3Bytes.empty() && !ReadMp3Stream(audioFile, &audio, &error)) return 0;

    MemorySource pmp(pmpBytes);
    const bool sound = CheckPmp(pmp, audio, audioFile, &error);
    if (!sound) FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);

    CachedSource cachedPmp(pmp);
    CachedSource cachedAudio(audioFile);
    std::string cachedError;
    FUZZ_CHECK(CheckPmp(cachedPmp, audio, cachedAudio, &cachedError) == sound);
    FUZZ_CHECK(cachedError == (sound ? std::string() : error));
    return 0;
}
