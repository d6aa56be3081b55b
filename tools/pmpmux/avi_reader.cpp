#include "pmpmux/avi_reader.h"

#include <cstdlib>
#include <functional>
#include <numeric>

namespace {

constexpr std::uint32_t kKeyFrameFlag = 0x10;  // AVIIF_KEYFRAME in idx1
constexpr std::size_t kIndexEntrySize = 16;
// The bytes read from each header: strh up to dwRate, a BITMAPINFOHEADER up
// to biCompression, avih up to dwHeight.
constexpr std::size_t kStreamHeaderNeeded = 28;
constexpr std::size_t kBitmapHeaderNeeded = 20;
constexpr std::size_t kMainHeaderNeeded = 40;

struct ChunkHeader {
    std::string id;
    std::uint64_t offset = 0;      // of the chunk's 8-byte header
    std::uint64_t dataOffset = 0;  // of its first data byte
    std::uint32_t size = 0;
};

using ChunkVisitor = std::function<bool(const ChunkHeader&)>;

// A four-character code fit for a message: bytes that are not printable
// show as '?', so a damaged file cannot put control characters on stderr.
std::string Printable(const std::string& id) {
    std::string text;
    for (unsigned char c : id) text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return text;
}

struct IndexEntry {
    std::uint32_t flags = 0;
    std::uint32_t size = 0;
};

class AviParser {
public:
    AviParser(ByteSource& file, AviVideo& video, std::string& error) : file_(file), video_(video), error_(error) {}

    bool Parse() {
        unsigned char riff[12];
        if (!file_.ReadAt(0, riff, sizeof riff) || std::string(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
            std::string(reinterpret_cast<char*>(riff) + 8, 4) != "AVI ") {
            return Fail("not an AVI file (it does not begin with a RIFF 'AVI ' header)");
        }
        const std::uint64_t riffEnd = 8 + static_cast<std::uint64_t>(Le32(riff + 4));
        if (riffEnd < sizeof riff) return Fail("the RIFF header's size cannot even hold its 'AVI ' type");
        if (riffEnd > file_.Size()) {
            return Fail("the file is " + std::to_string(file_.Size()) + " bytes long but its RIFF header says " +
                        std::to_string(riffEnd) + ": it is truncated");
        }
        if (!Walk(12, riffEnd, [this](const ChunkHeader& chunk) { return OnTopLevelChunk(chunk); })) return false;
        if (!RefuseOpenDmlExtension(riffEnd + (riffEnd & 1))) return false;

        if (!sawHeaderList_) return Fail("no header list ('LIST hdrl')");
        if (videoStream_ < 0) return Fail("no video stream");
        if (!sawMovieList_) return Fail("no movie data ('LIST movi')");
        if (video_.frames.empty()) return Fail("the video stream has no frames");
        return MarkKeyFrames();
    }

private:
    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }

    // Visits each chunk in [begin, end). A chunk that claims more bytes than
    // its list holds means a truncated or damaged file; only the pad byte
    // after an odd-sized last chunk may be missing. So no chunk reaches past
    // the file, and what is read for a chunk never exceeds what the file holds.
    bool Walk(std::uint64_t begin, std::uint64_t end, const ChunkVisitor& visit) {
        std::uint64_t at = begin;
        while (at + 8 <= end) {
            unsigned char head[8];
            if (!file_.ReadAt(at, head, sizeof head))
                return Fail("cannot read the chunk at offset " + std::to_string(at));
            ChunkHeader chunk;
            chunk.id.assign(reinterpret_cast<char*>(head), 4);
            chunk.offset = at;
            chunk.dataOffset = at + 8;
            chunk.size = Le32(head + 4);
            if (chunk.size > end - chunk.dataOffset) {
                return Fail("chunk '" + Printable(chunk.id) + "' at offset " + std::to_string(at) + " claims " +
                            std::to_string(chunk.size) + " bytes but only " + std::to_string(end - chunk.dataOffset) +
                            " remain in its list: the file is truncated or damaged");
            }
            if (!visit(chunk)) return false;
            const std::uint64_t next = chunk.dataOffset + chunk.size + (chunk.size & 1);
            at = next > end ? end : next;
        }
        return true;
    }

    // The four-character type that follows a LIST chunk's header.
    bool ListType(const ChunkHeader& chunk, std::string* type) {
        if (chunk.size < 4)
            return Fail("list at offset " + std::to_string(chunk.offset) + " is too short to name its type");
        char name[4];
        if (!file_.ReadAt(chunk.dataOffset, name, 4))
            return Fail("cannot read the list at offset " + std::to_string(chunk.offset));
        type->assign(name, 4);
        return true;
    }

    // The first `needed` bytes of a header chunk (all of it up to 256 bytes).
    bool ReadHeaderChunk(const ChunkHeader& chunk, std::size_t needed, std::string* bytes) {
        if (chunk.size < needed) {
            return Fail("header chunk '" + Printable(chunk.id) + "' at offset " + std::to_string(chunk.offset) +
                        " is too short (" + std::to_string(chunk.size) + " bytes)");
        }
        bytes->resize(chunk.size < 256 ? chunk.size : 256);
        if (!file_.ReadAt(chunk.dataOffset, &(*bytes)[0], bytes->size())) {
            return Fail("cannot read header chunk '" + Printable(chunk.id) + "'");
        }
        return true;
    }

    bool OnTopLevelChunk(const ChunkHeader& chunk) {
        if (chunk.id == "idx1") return ReadIndex(chunk);
        if (chunk.id != "LIST") return true;
        std::string type;
        if (!ListType(chunk, &type)) return false;
        const std::uint64_t end = chunk.dataOffset + chunk.size;
        if (type == "hdrl") {
            sawHeaderList_ = true;
            return Walk(chunk.dataOffset + 4, end, [this](const ChunkHeader& c) { return OnHeaderChunk(c); });
        }
        if (type == "movi") {
            if (videoStream_ < 0) return Fail("no video stream header before the movie data");
            sawMovieList_ = true;
            return Walk(chunk.dataOffset + 4, end, [this](const ChunkHeader& c) { return OnMovieChunk(c, true); });
        }
        return true;
    }

    bool OnHeaderChunk(const ChunkHeader& chunk) {
        if (chunk.id == "avih") {
            std::string bytes;
            if (!ReadHeaderChunk(chunk, kMainHeaderNeeded, &bytes)) return false;
            const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
            microSecondsPerFrame_ = Le32(p);
            mainWidth_ = Le32(p + 32);
            mainHeight_ = Le32(p + 36);
            return true;
        }
        if (chunk.id != "LIST") return true;
        std::string type;
        if (!ListType(chunk, &type)) return false;
        if (type != "strl") return true;
        streamHeader_.clear();
        streamFormat_.clear();
        if (!Walk(chunk.dataOffset + 4, chunk.dataOffset + chunk.size,
                  [this](const ChunkHeader& c) { return OnStreamChunk(c); })) {
            return false;
        }
        const int stream = streamCount_++;
        if (streamHeader_.compare(0, 4, "auds") == 0) video_.hasAudio = true;
        if (videoStream_ >= 0 || streamHeader_.size() < kStreamHeaderNeeded ||
            streamHeader_.compare(0, 4, "vids") != 0) {
            return true;
        }
        videoStream_ = stream;
        return TakeVideoHeaders();
    }

    bool OnStreamChunk(const ChunkHeader& chunk) {
        if (chunk.id == "strh") return ReadHeaderChunk(chunk, kStreamHeaderNeeded, &streamHeader_);
        if (chunk.id == "strf") return ReadHeaderChunk(chunk, 0, &streamFormat_);
        return true;
    }

    bool TakeVideoHeaders() {
        if (streamFormat_.size() < kBitmapHeaderNeeded)
            return Fail("the video stream has no usable format ('strf') chunk");
        const unsigned char* header = reinterpret_cast<const unsigned char*>(streamHeader_.data());
        const unsigned char* format = reinterpret_cast<const unsigned char*>(streamFormat_.data());

        const std::string compression = streamFormat_.substr(16, 4);
        const std::string handler = streamHeader_.substr(4, 4);
        if (!CodecFromFourCc(compression, &video_.codec) && !CodecFromFourCc(handler, &video_.codec)) {
            return Fail("video codec '" + Printable(compression) +
                        "' is neither MPEG-4 (XVID, FMP4, DIVX, DX50, MP4V) nor H.264 (H264, X264, AVC1)");
        }

        // biHeight is negative for top-down bitmaps; the size is the same.
        const long long width = static_cast<std::int32_t>(Le32(format + 4));
        const long long height = static_cast<std::int32_t>(Le32(format + 8));
        video_.width = static_cast<std::uint32_t>(width != 0 ? std::llabs(width) : mainWidth_);
        video_.height = static_cast<std::uint32_t>(height != 0 ? std::llabs(height) : mainHeight_);
        if (video_.width == 0 || video_.height == 0) return Fail("the video stream does not give its frame size");

        std::uint32_t scale = Le32(header + 20);
        std::uint32_t rate = Le32(header + 24);
        if (scale == 0 || rate == 0) {
            scale = microSecondsPerFrame_;
            rate = 1000000;
        }
        if (scale == 0) return Fail("the video stream does not give its frame rate");
        const std::uint32_t common = std::gcd(scale, rate);
        video_.scale = scale / common;
        video_.rate = rate / common;
        return true;
    }

    bool OnMovieChunk(const ChunkHeader& chunk, bool topLevel) {
        if (chunk.id == "LIST") {
            std::string type;
            if (!ListType(chunk, &type)) return false;
            if (type != "rec " || !topLevel) return true;
            return Walk(chunk.dataOffset + 4, chunk.dataOffset + chunk.size,
                        [this](const ChunkHeader& c) { return OnMovieChunk(c, false); });
        }
        if (IsVideoChunkId(chunk.id)) {
            AviFrame frame;
            frame.offset = chunk.dataOffset;
            frame.size = chunk.size;
            video_.frames.push_back(frame);
        }
        return true;
    }

    // "NNdc" (compressed) or "NNdb" (uncompressed) of the chosen stream.
    bool IsVideoChunkId(const std::string& id) const {
        const bool digits = id[0] >= '0' && id[0] <= '9' && id[1] >= '0' && id[1] <= '9';
        return digits && (id[0] - '0') * 10 + (id[1] - '0') == videoStream_ && id[2] == 'd' &&
               (id[3] == 'c' || id[3] == 'b');
    }

    bool ReadIndex(const ChunkHeader& chunk) {
        std::string bytes(chunk.size - chunk.size % kIndexEntrySize, '\0');
        if (!bytes.empty() && !file_.ReadAt(chunk.dataOffset, &bytes[0], bytes.size())) {
            return Fail("cannot read the index ('idx1')");
        }
        sawIndex_ = true;
        index_.clear();
        for (std::size_t at = 0; at < bytes.size(); at += kIndexEntrySize) {
            const unsigned char* entry = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
            if (videoStream_ < 0 || !IsVideoChunkId(bytes.substr(at, 4))) continue;
            index_.push_back({Le32(entry + 4), Le32(entry + 12)});
        }
        return true;
    }

    // ffmpeg continues an OpenDML file past 1 GiB in 'RIFF AVIX' chunks,
    // whose frames only the OpenDML index finds.
    bool RefuseOpenDmlExtension(std::uint64_t at) {
        unsigned char next[12];
        if (at + sizeof next > file_.Size() || !file_.ReadAt(at, next, sizeof next)) return true;
        if (std::string(reinterpret_cast<char*>(next), 4) == "RIFF" &&
            std::string(reinterpret_cast<char*>(next) + 8, 4) == "AVIX") {
            return Fail("OpenDML files larger than 1 GiB (with 'RIFF AVIX' extensions) are not supported");
        }
        return true;
    }

    // The idx1 flags are used only when the index lists exactly the frames
    // found in the movie list, with the same sizes; otherwise it describes
    // some other file layout and the bitstream decides.
    bool MarkKeyFrames() {
        bool indexMatches = sawIndex_ && index_.size() == video_.frames.size();
        for (std::size_t i = 0; indexMatches && i < index_.size(); ++i) {
            indexMatches = index_[i].size == video_.frames[i].size;
        }
        if (indexMatches) {
            for (std::size_t i = 0; i < index_.size(); ++i) {
                video_.frames[i].keyFrame = (index_[i].flags & kKeyFrameFlag) != 0;
            }
            return true;
        }
        std::vector<unsigned char> bytes;
        for (AviFrame& frame : video_.frames) {
            bytes.resize(frame.size);
            if (frame.size > 0 && !file_.ReadAt(frame.offset, bytes.data(), frame.size)) {
                return Fail("cannot read the video frame at offset " + std::to_string(frame.offset));
            }
            frame.keyFrame = IsKeyFrame(video_.codec, bytes.data(), bytes.size());
        }
        return true;
    }

    ByteSource& file_;
    AviVideo& video_;
    std::string& error_;

    bool sawHeaderList_ = false;
    bool sawMovieList_ = false;
    bool sawIndex_ = false;
    int streamCount_ = 0;
    int videoStream_ = -1;
    std::uint32_t microSecondsPerFrame_ = 0;
    std::uint32_t mainWidth_ = 0;
    std::uint32_t mainHeight_ = 0;
    std::string streamHeader_;
    std::string streamFormat_;
    std::vector<IndexEntry> index_;
};

}  // namespace

bool ReadAviVideo(ByteSource& file, AviVideo* video, std::string* error) {
    *video = AviVideo();
    return AviParser(file, *video, *error).Parse();
}
