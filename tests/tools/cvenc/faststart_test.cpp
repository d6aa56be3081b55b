#include "cvenc/faststart.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "memory_file.h"

using ::testing::HasSubstr;

namespace {

std::string BigEndian(std::uint64_t value, int count) {
    std::string bytes(count, '\0');
    for (int i = count - 1; i >= 0; --i, value >>= 8) bytes[i] = static_cast<char>(value & 0xff);
    return bytes;
}

std::string MakeBox(const std::string& type, const std::string& contents) {
    return BigEndian(8 + contents.size(), 4) + type + contents;
}

std::string MakeLongBox(const std::string& type, const std::string& contents) {
    return BigEndian(1, 4) + type + BigEndian(16 + contents.size(), 8) + contents;
}

std::string OffsetTable(const std::string& type, const std::vector<std::uint64_t>& offsets) {
    const int width = type == "stco" ? 4 : 8;
    std::string contents = BigEndian(0, 4) + BigEndian(offsets.size(), 4);
    for (std::uint64_t offset : offsets) contents += BigEndian(offset, width);
    return MakeBox(type, contents);
}

// A track whose sample table ends with the given chunk offset table.
std::string Track(const std::string& table) {
    const std::string sampleTable = MakeBox("stbl", MakeBox("stsd", std::string(8, '\0')) + table);
    return MakeBox("trak", MakeBox("tkhd", std::string(12, 't')) +
                               MakeBox("mdia", MakeBox("mdhd", std::string(12, 'm')) + MakeBox("minf", sampleTable)));
}

std::string Index(const std::vector<std::uint64_t>& videoChunks, const std::vector<std::uint64_t>& audioChunks) {
    return MakeBox("moov", MakeBox("mvhd", std::string(20, 'h')) + Track(OffsetTable("stco", videoChunks)) +
                               Track(OffsetTable("co64", audioChunks)) + MakeBox("udta", std::string(6, 'u')));
}

const std::string kFileType = MakeBox("ftyp", "3gp4\0\0\0\0isom3gp4");
const std::string kFree = MakeBox("free", std::string(8, '\0'));
const std::string kMedia = MakeBox("mdat", "VIDEO-0 audio-0 VIDEO-1 audio-1");

// The file as an encoder writes it: index last, offsets pointing at the chunks in 'mdat'.
std::string IndexLastFile(const std::string& tail = "") {
    const std::uint64_t media = kFileType.size() + kFree.size() + 8;
    return kFileType + kFree + kMedia + Index({media, media + 16}, {media + 8, media + 24}) + tail;
}

TEST(FastStart, MovesTheIndexFrontAndShiftsEveryChunkOffset) {
    const std::string trailer = MakeBox("free", "after");
    MemoryFile file(IndexLastFile(trailer));
    ASSERT_EQ(MoveIndexToFront(file).result, FastStartResult::Moved);

    const std::uint64_t media = kFileType.size() + kFree.size() + Index({0, 0}, {0, 0}).size() + 8;
    EXPECT_EQ(file.Bytes(), kFileType + kFree + Index({media, media + 16}, {media + 8, media + 24}) + kMedia + trailer);

    const std::string once = file.Bytes();
    EXPECT_EQ(MoveIndexToFront(file).result, FastStartResult::NothingToMove);
    EXPECT_EQ(file.Bytes(), once);
}

TEST(FastStart, LongSizesAndAnIndexRunningToTheEnd) {
    const std::string media = MakeLongBox("mdat", "chunk");
    std::string index = Index({kFileType.size() + 16}, {});
    index.replace(0, 4, BigEndian(0, 4));  // size 0: to the end of the file
    MemoryFile file(kFileType + media + index);
    ASSERT_EQ(MoveIndexToFront(file).result, FastStartResult::Moved);

    // Written with its real size now that other boxes follow it.
    const std::string moved = Index({kFileType.size() + index.size() + 16}, {});
    EXPECT_EQ(file.Bytes(), kFileType + moved + media);
}

TEST(FastStart, OffsetsOutsideTheMovedDataStay) {
    const std::uint64_t media = kFileType.size() + 8;
    MemoryFile file(kFileType + kMedia + Index({media, 3, 1u << 30}, {}));
    ASSERT_EQ(MoveIndexToFront(file).result, FastStartResult::Moved);
    const std::uint64_t shift = Index({0, 0, 0}, {}).size();
    EXPECT_EQ(file.Bytes(), kFileType + Index({media + shift, 3, 1u << 30}, {}) + kMedia);
}

TEST(FastStart, FilesItCannotRewriteAreLeftAsTheyWere) {
    std::string overcounted = IndexLastFile();
    overcounted.replace(overcounted.find("stco") + 8, 4, BigEndian(1000, 4));
    std::string cutInside = IndexLastFile();
    cutInside.replace(cutInside.find("trak") - 4, 4, BigEndian(100000, 4));
    const std::string compressed = kFileType + kMedia + MakeBox("moov", MakeBox("cmov", "zlib"));

    const struct {
        std::string bytes;
        const char* why;
    } cases[] = {
        {"", "empty"},
        {"RIFF" + BigEndian(16, 4) + "AVI LIST", "fit"},
        {kFileType + kMedia + std::string(3, '\0'), "cut off"},
        {kFileType + BigEndian(4, 4) + "free" + kMedia, "fit"},
        {kFileType + MakeLongBox("mdat", "x").substr(0, 12), "64-bit size"},
        {kFileType + kMedia, "no 'moov'"},
        {IndexLastFile().substr(0, IndexLastFile().size() - 1), "fit"},
        {overcounted, "more offsets"},
        {cutInside, "fit"},
        {compressed, "compressed"},
    };
    for (const auto& broken : cases) {
        MemoryFile file(broken.bytes);
        const FastStartOutcome outcome = MoveIndexToFront(file);
        EXPECT_EQ(outcome.result, FastStartResult::NotChanged) << broken.why;
        EXPECT_THAT(outcome.message, HasSubstr(broken.why));
        EXPECT_THAT(outcome.message, HasSubstr("left unchanged"));
        EXPECT_EQ(file.Bytes(), broken.bytes) << broken.why;
    }
}

// Bytes, then `gap` zero bytes that take no memory, then more bytes; refuses
// every write. Enough to place an index beyond 4 GiB.
class GappedFile : public RandomAccessFile {
public:
    GappedFile(std::string head, std::uint64_t gap, std::string tail)
        : head_(std::move(head)), gap_(gap), tail_(std::move(tail)) {}

    std::uint64_t Size() override { return head_.size() + gap_ + tail_.size(); }
    bool ReadAt(std::uint64_t offset, void* bytes, std::size_t count) override {
        if (offset > Size() || count > Size() - offset) return false;
        auto* out = static_cast<char*>(bytes);
        const std::uint64_t tailStart = head_.size() + gap_;
        for (std::size_t i = 0; i < count; ++i, ++offset) {
            out[i] = offset < head_.size() ? head_[offset] : offset < tailStart ? '\0' : tail_[offset - tailStart];
        }
        return true;
    }
    bool WriteAt(std::uint64_t, const void*, std::size_t) override { return false; }

private:
    std::string head_;
    std::uint64_t gap_;
    std::string tail_;
};

TEST(FastStart, OffsetsThatWouldOutgrowThirtyTwoBitsStopTheRewrite) {
    const std::uint64_t media = 4ull << 30;  // 4 GiB of media data
    const std::string head = kFileType + BigEndian(1, 4) + "mdat" + BigEndian(16 + media, 8);
    GappedFile file(head, media, Index({head.size(), UINT32_MAX - 10}, {}));
    const FastStartOutcome outcome = MoveIndexToFront(file);
    EXPECT_EQ(outcome.result, FastStartResult::NotChanged);
    EXPECT_THAT(outcome.message, HasSubstr("no longer fit in 'stco'"));
}

#ifndef _WIN32
// Debian's FFmpeg, when installed, makes a real 3GP file and checks the result.
std::string Shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    return pclose(pipe) == 0 ? output : "failed: " + output;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The order in which ffprobe meets the top-level boxes.
std::string TopLevelOrder(const std::string& path) {
    std::istringstream trace(Shell("ffprobe -v trace \"" + path + "\""));
    std::string order;
    for (std::string line; std::getline(trace, line);) {
        if (line.find("parent:'root'") == std::string::npos) continue;
        for (const char* type : {"moov", "mdat"}) {
            if (line.find(std::string("type:'") + type + "'") != std::string::npos)
                order += order.empty() ? type : std::string(" ") + type;
        }
    }
    return order;
}

TEST(FastStart, RealThreeGppStillPlaysWithItsIndexFirst) {
    if (Shell("ffmpeg -version").rfind("failed", 0) == 0) GTEST_SKIP() << "Debian's ffmpeg is not installed";
    const std::string path = testing::TempDir() + "cvenc_faststart_test.3gp";
    ASSERT_THAT(Shell("ffmpeg -v error -y -f lavfi -i testsrc=duration=2:size=176x144:rate=10 -f lavfi "
                      "-i sine=duration=2:sample_rate=8000 -c:v h263 -c:a aac -ac 1 -b:a 12k \"" +
                      path + "\""),
                testing::IsEmpty());
    ASSERT_EQ(TopLevelOrder(path), "mdat moov");

    MemoryFile file(ReadWhole(path));
    ASSERT_EQ(MoveIndexToFront(file).result, FastStartResult::Moved);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file.Bytes();

    EXPECT_EQ(TopLevelOrder(path), "moov mdat");
    EXPECT_EQ(
        Shell("ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 \"" +
              path + "\""),
        "20\n");
    EXPECT_EQ(Shell("ffmpeg -v error -i \"" + path + "\" -f null -"), "");
    std::remove(path.c_str());
}
#endif

}  // namespace
