#include "player/codec_catalog.h"

#include <sstream>

namespace {

struct Entry {
    const char* name;
    const char* encoder;
};

const Entry kVideoCodecs[] = {
    {"DivX MPEG-4 Part 2", "mpeg4"},
    {"Microsoft MPEG-4 Video Codec V3", "msmpeg4"},
};

const Entry kAudioCodecs[] = {
    {"PCM", "pcm_s16le"},
    {"MPEG Layer-3", "libmp3lame"},
};

template <std::size_t N>
std::vector<CatalogCodec> Offered(const Entry (&entries)[N], const std::set<std::string>& encoders) {
    std::vector<CatalogCodec> offered;
    for (const Entry& entry : entries) {
        if (encoders.count(entry.encoder) > 0) offered.push_back({entry.name, entry.encoder});
    }
    return offered;
}

}  // namespace

std::set<std::string> ParseEncoderList(const std::string& report) {
    std::set<std::string> encoders;
    std::istringstream lines(report);
    std::string line;
    bool listing = false;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string flags, name;
        words >> flags >> name;
        if (!listing) {
            listing = flags.find("------") == 0;
        } else if (flags.size() == 6 && !name.empty()) {
            encoders.insert(name);
        }
    }
    return encoders;
}

std::vector<CatalogCodec> VideoCatalog(const std::set<std::string>& encoders) {
    return Offered(kVideoCodecs, encoders);
}
std::vector<CatalogCodec> AudioCatalog(const std::set<std::string>& encoders) {
    return Offered(kAudioCodecs, encoders);
}
