#include "player/codec_choice.h"

namespace {

int LastContaining(const std::vector<std::string>& names, const char* text) {
    int found = -1;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (names[index].find(text) != std::string::npos) found = static_cast<int>(index);
    }
    return found;
}

int FirstChoiceElseFallback(const std::vector<std::string>& names, const char* first, const char* fallback) {
    const int chosen = LastContaining(names, first);
    return chosen >= 0 ? chosen : LastContaining(names, fallback);
}

}  // namespace

CodecChoice ChooseExportCodecs(const std::vector<std::string>& videoNames, const std::vector<std::string>& audioNames) {
    CodecChoice choice;
    choice.video = FirstChoiceElseFallback(videoNames, "Microsoft MPEG-4 Video Codec V3", "DivX");
    choice.audio = FirstChoiceElseFallback(audioNames, "MPEG Layer-3", "PCM");
    return choice;
}

ExportForm ExportFormFor(const CodecChoice& choice) {
    if (choice.BothFound()) return {25.0f, kOutputFormatAvi, true, "%s_%d.avi"};
    return {23.976f, kOutputFormatMpeg, false, "%s_%d.mpg"};
}
