#include "cvenc/faststart.h"

#include <gmock/gmock.h>

#include <cstdint>
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

// The file as an encoder writes it: index last, offsets pointing at the chunks
// in 'mdat'. How such a file is moved is the faststart fuzz harness's, over
// seeds like it.
std::string IndexLastFile() {
    const std::uint64_t media = kFileType.size() + kFree.size() + 8;
    return kFileType + kFree + kMedia + Index({media, media + 16}, {media + 8, media + 24});
}

// Boxes nested without end, which once made the walk recurse until the stack
// ran out, are the faststart fuzz harness's regression input; how a file with
// 32- and 64-bit sizes is moved, its seeds'.

TEST(FastStart, FilesItCannotRewriteAreLeftAsTheyWere) {
    std::string overcounted = IndexLastFile();
    overcounted.replace(overcounted.find("stco") + 8, 4, BigEndian(1000, 4));
    std::string cutInside = IndexLastFile();
    cutInside.replace(cutInside.find("trak") - 4, 4, BigEndian(100000, 4));
    const std::string cases[] = {
        kFileType + kMedia + std::string(3, '\0'),
        kFileType + kMedia,
        IndexLastFile().substr(0, IndexLastFile().size() - 1),
        overcounted,
        cutInside,
        kFileType + kMedia + MakeBox("moov", MakeBox("cmov", "zlib")),
    };
    for (const std::string& broken : cases) {
        MemoryFile file(broken);
        const FastStartOutcome outcome = MoveIndexToFront(file);
        EXPECT_EQ(outcome.result, FastStartResult::NotChanged) << outcome.message;
        EXPECT_THAT(outcome.message, HasSubstr("left unchanged"));
        EXPECT_EQ(file.Bytes(), broken) << outcome.message;
    }
}

}  // namespace
