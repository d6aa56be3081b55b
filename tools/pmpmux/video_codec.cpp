#include "pmpmux/video_codec.h"

#include <cctype>

namespace {

constexpr unsigned char kMpeg4VopStartCode = 0xB6;
constexpr int kMpeg4IntraVop = 0;
constexpr int kH264IdrSlice = 5;

// Position just after the next 00 00 01 at or after `from`, or `size` when
// there is none.
std::size_t NextStartCodeEnd(const unsigned char* bytes, std::size_t size, std::size_t from) {
    for (std::size_t i = from; i + 3 <= size; ++i) {
        if (bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 1) return i + 3;
    }
    return size;
}

bool IsMpeg4KeyFrame(const unsigned char* frame, std::size_t size) {
    for (std::size_t at = NextStartCodeEnd(frame, size, 0); at < size; at = NextStartCodeEnd(frame, size, at)) {
        if (frame[at] != kMpeg4VopStartCode) continue;
        // The two bits after the VOP start code are vop_coding_type; a chunk
        // of packed B-frames holds more than one VOP and the first one counts.
        return at + 1 < size && (frame[at + 1] >> 6) == kMpeg4IntraVop;
    }
    return false;
}

bool IsH264KeyFrame(const unsigned char* frame, std::size_t size) {
    for (std::size_t at = NextStartCodeEnd(frame, size, 0); at < size; at = NextStartCodeEnd(frame, size, at)) {
        if ((frame[at] & 0x1F) == kH264IdrSlice) return true;
    }
    return false;
}

}  // namespace

bool CodecFromFourCc(const std::string& fourCc, VideoCodec* codec) {
    std::string upper;
    for (char c : fourCc) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* name : {"XVID", "FMP4", "DIVX", "DX50", "MP4V"}) {
        if (upper == name) {
            *codec = VideoCodec::kMpeg4;
            return true;
        }
    }
    for (const char* name : {"H264", "X264", "AVC1"}) {
        if (upper == name) {
            *codec = VideoCodec::kH264;
            return true;
        }
    }
    return false;
}

bool IsKeyFrame(VideoCodec codec, const unsigned char* frame, std::size_t size) {
    return codec == VideoCodec::kMpeg4 ? IsMpeg4KeyFrame(frame, size) : IsH264KeyFrame(frame, size);
}
