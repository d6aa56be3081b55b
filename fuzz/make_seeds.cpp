// Writes a small seed corpus for every harness: inputs as the programs meet
// them on a good day, so that fuzzing starts from real structure instead of
// having to find "RIFF", a box tree or a progress line by chance.
//
// Usage: make_seeds SEED_FOLDER PROFILE_FOLDER
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "pmpmux/avi_reader.h"
#include "pmpmux/mp3_frames.h"
#include "pmpmux/pmp_writer.h"
#include "test_streams.h"

namespace fs = std::filesystem;

namespace {

// A text with the zero bytes it holds.
template <std::size_t N>
std::string Literal(const char (&text)[N]) {
    return std::string(text, N - 1);
}

class SeedWriter {
public:
    explicit SeedWriter(const fs::path& folder) : folder_(folder) {}

    void Add(const std::string& harness, const std::string& bytes) {
        const fs::path folder = folder_ / harness;
        fs::create_directories(folder);
        const int number = ++counts_[harness];
        std::ofstream(folder / ("seed-" + std::to_string(number)), std::ios::binary) << bytes;
    }

private:
    fs::path folder_;
    std::map<std::string, int> counts_;
};

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) joined += part + '\0';
    if (!joined.empty()) joined.pop_back();
    return joined;
}

// The values of every "Key=cvenc ..." line of the profile files.
std::vector<std::string> ProfileCommands(const fs::path& profiles) {
    std::vector<std::string> commands;
    for (const auto& entry : fs::directory_iterator(profiles)) {
        std::ifstream file(entry.path());
        std::string line;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::size_t value = line.find('=');
            if (value != std::string::npos && line.compare(value + 1, 6, "cvenc ") == 0) {
                commands.push_back(line.substr(value + 1));
            }
        }
    }
    return commands;
}

// A command's words, split at blanks outside quotes, quotes removed.
std::vector<std::string> Words(const std::string& command) {
    std::vector<std::string> words(1);
    bool quoted = false;
    for (char c : command) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!words.back().empty()) words.emplace_back();
        } else {
            words.back() += c;
        }
    }
    return words;
}

void AddCommandSeeds(SeedWriter& seeds, const fs::path& profiles) {
    const std::vector<std::string> commands = ProfileCommands(profiles);
    for (std::size_t i = 0; i < commands.size(); i += 7) {
        std::vector<std::string> words = Words(commands[i]);
        words.erase(words.begin());  // cvenc's own name
        seeds.Add("cvenc_arguments", Joined(words));
        // template, source, title, output name, export path, output directory, then the numbers
        seeds.Add("command_text", Joined({commands[i], "C:\\Videos\\My $TITLE clip.avi", "My clip", "My clip",
                                          "C:\\Temp\\export.avi", "C:\\Out\\", Literal("\x00\x01\x10\x05")}));
    }
    // Settings without a selection and past their tables.
    seeds.Add("command_text",
              Literal("$VCODEC $SIZE $VOLUME\0a\0t\0o\0e\0D:\\\0\0\0\0\0\xFF\x7F\xFF\x7F\xFF\x7F\xFF\x7F\xFF"));
    seeds.Add("cvenc_arguments", Joined({"-i", "C:\\My Videos\\a & b.avi", "", " ", "-title", "\"x\" y\\", "-vol",
                                         "384", "-af", "aresample=44100", "-needaudio", "D:\\out dir\\"}));
}

void AddProgressSeeds(SeedWriter& seeds) {
    const std::string progress =
        "frame=  250 fps= 25 q=3.0 size=     512kB time=00:00:10.00 bitrate= 419.4kbits/s speed=1.2x    \r";
    seeds.Add("progress_text", "frame=  250 q=3.0 size=     512kB time=10.00 bitrate= 419.4kbits/s speed=1.2x");
    seeds.Add("progress_text", progress);
    seeds.Add("progress_text", "size=N/A time=-00:00:00.04 bitrate=N/A speed=N/A");
    seeds.Add("progress_text", "    title           : time=nan size=99999999\r\n");
    // An exported item's range is 10 s: output written, at and just before its end.
    for (const char* chunk :
         {"size=       0kB time=10.00 ", "size=      64kB time=9.99 ", "size=      64kB time=10.00 "})
        seeds.Add("progress_text", chunk);
    seeds.Add("cvenc_progress",
              "Input #0, avi, from 'C:\\Videos\\time=nan size=99999999.avi':\n"
              "  Metadata:\n    title           : time=nan size=99999999\n"
              "  Duration: 00:00:03.00, start: 0.000000, bitrate: 480 kb/s\n"
              "Stream mapping:\n  Stream #0:0 -> #0:0 (mpeg4 (native) -> mpeg4 (libxvid))\n"
              "Output #0, mp4, to 'C:\\Out\\a.mp4':\n" +
                  progress +
                  "frame=  300 fps= 24 q=-1.0 Lsize=     600kB time=00:00:12.00 bitrate= 409.6kbits/s speed=1.19x    \n"
                  "video:500kB audio:96kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: 0.8%\n");
    seeds.Add("cvenc_progress",
              "size=N/A time=N/A bitrate=N/A speed=N/A    \rsize=     256kB time=-00:00:00.04 "
              "bitrate=N/A dup=1 drop=2 speed=N/A    \r");
}

std::string BigEndian(std::uint64_t value, int count) {
    std::string bytes(count, '\0');
    for (int i = count - 1; i >= 0; --i, value >>= 8) bytes[i] = static_cast<char>(value & 0xff);
    return bytes;
}

std::string Box(const std::string& type, const std::string& contents) {
    return BigEndian(8 + contents.size(), 4) + type + contents;
}

// An MP4 as an encoder writes it, index last; and the same with a 64-bit size.
void AddFastStartSeeds(SeedWriter& seeds) {
    const std::string fileType = Box("ftyp", Literal("3gp4\0\0\0\0isom3gp4"));
    const std::string media = Box("mdat", "VIDEO-0 audio-0 VIDEO-1 audio-1");
    const std::uint64_t first = fileType.size() + 8;
    const auto track = [](const std::string& table) {
        return Box("trak", Box("tkhd", std::string(12, 't')) +
                               Box("mdia", Box("mdhd", std::string(12, 'm')) +
                                               Box("minf", Box("stbl", Box("stsd", std::string(8, '\0')) + table))));
    };
    const std::string index =
        Box("moov",
            Box("mvhd", std::string(20, 'h')) +
                track(Box("stco", BigEndian(0, 4) + BigEndian(2, 4) + BigEndian(first, 4) + BigEndian(first + 16, 4))) +
                track(Box("co64", BigEndian(0, 4) + BigEndian(1, 4) + BigEndian(first + 8, 8))));
    seeds.Add("faststart", fileType + media + index);
    seeds.Add("faststart", fileType + index + media);
    seeds.Add("faststart", fileType + BigEndian(1, 4) + "mdat" + BigEndian(16 + 5, 8) + "chunk" + index);
}

std::string MuxedPmp(const std::string& aviBytes, const std::string& mp3Bytes) {
    MemorySource videoFile(aviBytes), audioFile(mp3Bytes);
    AviVideo video;
    Mp3Stream audio;
    PmpPlan plan;
    MemorySink sink;
    std::string error;
    if (!(ReadAviVideo(videoFile, &video, &error) && ReadMp3Stream(audioFile, &audio, &error) &&
          PlanPmp(video, audio, &plan, &error) && WritePmp(plan, video, videoFile, audio, audioFile, sink, &error))) {
        std::cerr << "make_seeds: the seed .pmp cannot be made: " << error << "\n";
        std::exit(1);
    }
    return sink.Bytes();
}

void AddPmpmuxSeeds(SeedWriter& seeds) {
    AviLayout plain;
    plain.scale = 1;
    plain.rate = 25;
    plain.frames = {{Mpeg4Vop(0, 40), true}, {Mpeg4Vop(1, 21), false}, {Mpeg4Vop(1, 30), false}};
    AviLayout grouped = plain;
    grouped.inRecLists = true;
    grouped.audioStreamFirst = true;
    grouped.withIndex = false;
    grouped.compression = "H264";
    const std::string avis[] = {MakeAvi(plain), MakeAvi(grouped)};

    const std::string mp3s[] = {
        Id3v2Tag(20, false) + InfoFrame() + Mp3FrameBytes({}, 'a') + Mp3FrameBytes({}, 'b') + Mp3FrameBytes({}, 'c'),
        Mp3FrameBytes({2, 8, 1, 1, true}, 'm') + Mp3FrameBytes({2, 8, 1, 0, true}, 'n'),
    };
    for (const std::string& avi : avis) seeds.Add("avi", avi);
    for (const std::string& mp3 : mp3s) seeds.Add("mp3", mp3 + "TAG" + std::string(125, 't'));
    // A second frame of another sample rate, a last frame cut short, a last header cut short.
    const std::string frame = Mp3FrameBytes({}, 'a');
    for (const std::string& tail : {Mp3FrameBytes({3, 9, 1, 0, false}, 'b'), frame.substr(0, 100), frame.substr(0, 2)})
        seeds.Add("mp3", frame + tail);
    seeds.Add("pmpmux", Le32Text(static_cast<std::uint32_t>(avis[0].size())) + avis[0] + mp3s[0]);
    seeds.Add("pmpmux", Le32Text(static_cast<std::uint32_t>(avis[1].size())) + avis[1]);
    const std::string pmp = MuxedPmp(avis[0], mp3s[0]);
    seeds.Add("pmp_check", Le32Text(static_cast<std::uint32_t>(pmp.size())) + pmp + mp3s[0]);
    // Frames for a .pmp the harness writes and then damages in each way it knows.
    const std::string frames(90, '\x0C');
    for (std::uint32_t damage = 0; damage < 5; ++damage) {
        seeds.Add("pmp_check",
                  Le32Text(static_cast<std::uint32_t>(frames.size() + 4)) + Le32Text(damage) + frames + mp3s[0]);
    }
}

void AddTextSeeds(SeedWriter& seeds) {
    seeds.Add("profile_block", Literal("Info\0mpeg4_01\0mpeg4_02\0\0"));
    seeds.Add("profile_block", Literal("Title=MPEG-4\0Encode=cvenc -i x\0DefaultProfile=1\0\0"));
    seeds.Add("profile_block", std::string(1100, 'v') + Literal("\0=\0\0"));
    // Empty; one zero at the very end; a full block without a closing pair.
    seeds.Add("profile_block", "");
    seeds.Add("profile_block", Literal("a\0b\0"));
    seeds.Add("profile_block", "xxx" + std::string(1, '\0') + std::string(65531, 'x'));

    // Times whose milliseconds are not exact in binary, a range that ends
    // before it begins, one that begins before zero, and times beyond any clip.
    const double times[][3] = {{3725.9, 0.0004, 3725.9006},          {-0.04, 12.3456, 12.3454},   {1e300, -7.5, 1.001},
                               {std::nan(""), 9.0e12, 9.0e12 + 0.1}, {-1.0, std::nan(""), 1e300}, {2.5, 1e300, 1.001}};
    for (const auto& time : times) {
        std::string bytes(reinterpret_cast<const char*>(&time[0]), sizeof time[0]);
        const long long whole = 442801;
        bytes.append(reinterpret_cast<const char*>(&whole), sizeof whole);
        bytes.append(reinterpret_cast<const char*>(&time[1]), 2 * sizeof time[1]);
        seeds.Add("time_text", bytes);
    }

    seeds.Add("playlist", Literal("C:\\Music\\iTunes\\a.mp4\0"));
    seeds.Add("playlist", Literal("C:\\Music\\iTunes\\a.mp4\0\xEF\xBB\xBF#EXTM3U\r\nc:\\music\\itunes\\B.mp4"));
    seeds.Add("playlist", Literal("C:\\Music\\iTunes\\a.mp4\0#EXTM3U\nC:\\MUSIC\\ITUNES\\A.MP4\n"));

    seeds.Add("skin_file", Literal("background\0Directory=C:\\Skins\\Ember\r\nBackground=Back.BMP\r\n"));
    seeds.Add("skin_file", Literal("title\0title\ttitle=a.bmp\xE9"
                                   "b\ntitle=second.bmp"));
    seeds.Add("skin_file", Literal("directory\0directory=") + std::string(1500, 'd') + "\ndirectory=short");
    // Every kind of line end, and none after the last line.
    seeds.Add("skin_file", Literal("background\0[skin]\rdirectory=c:\\blue\ntitle=top.bmp\t\r\n\x01"
                                   "background=back.bmp"));
    // Keys matched whole, a blank before "=" part of the key, only the first "=" splits.
    seeds.Add("skin_file", Literal("combo_back\0title = top.bmp\ncombo_backs=x\nCOMBO_BACK=a=B c.bmp\n"));
    // A line far past the limit whose end looks like a line of its own.
    seeds.Add("skin_file",
              "title" + std::string(1, '\0') + "x=" + std::string(1100, 'a') + "title=evil.bmp\ntitle=good");
    seeds.Add("skin_file", "title" + std::string(1, '\0') + "title=" + std::string(1100, 'a'));
}

// What the window's readers meet: FFmpeg's reports and progress, added
// files, sizes of text and pictures.
void AddWindowSeeds(SeedWriter& seeds) {
    seeds.Add("ffmpeg_report", Literal("nC:\\Videos\\clip.avi\0d6250\0tencoder=Lavf58.20.100\0"
                                       "vXVID 720 576 2500 64:45 16:9\0tlanguage=eng\0thandler=Video\nHandler\0"
                                       "a\x55\0\0\0\0eaac AAC (Advanced Audio Coding)\0elibmp3lame MP3\0r"));
    seeds.Add("ffmpeg_report", Literal("nsong.mp3\0d22500\0ttitle=Duration: 00:00:01.00\0a\0"
                                       "ostudio\0tcomment=Stream #0:9: Video: x, 64x48,\0empeg4 MPEG-4 part 2"));
    seeds.Add("ffmpeg_report", Literal("vavc1 1440 1080 2997 4:3 16:9\0o\0v 1x1 320 240"));
    seeds.Add("progress_lines",
              "\x06"
              "frame=25\nfps=0.0\nout_time_ms=1000000\nout_time=00:00:01.000000\n"
              "progress=continue\nout_time_ms=2040000\nprogress=end\n");
    seeds.Add("progress_lines", Literal("\x00out_time_ms=-40000\nout_time_ms=N/A\nout_time_ms=") +
                                    std::string(300, '9') + "\nout_time_ms=5");
    seeds.Add("task_names", std::string(57, 'A') +
                                Literal("\0Videos\\clip.avi\0Videos\\CLIP.AVI\0Other\\clip.avi\0Videos\\clip_2.avi\0"
                                        "a.b\\noext\0Films\\movie.rmvb\0D:\\Out"));
    seeds.Add("task_names", std::string(8, '\x7F') + Literal("\0x.avi\0") + std::string(300, 'f'));
    seeds.Add("task_names",
              Literal("\0Vid\xC3\xA9os\\\xC3\xA9t\xC3\xA9.avi\0Other\\\xC3\x89T\xC3\x89.AVI\0\xD0\xB4.mp4\0"
                      "\xD0\x94.MP4"));
    // Output folders whose closing backslash just fits, and just does not.
    for (const int length : {255, 256}) seeds.Add("task_names", Literal("\0x.avi\0C:\\") + std::string(length, 'a'));
    seeds.Add("control_layout", std::string(64, '\x10') + "OK\nsecond line\n" + std::string(300, 'w'));
    seeds.Add("control_layout", std::string(40, '\x03') + std::string(24, '\xF0') + "&Cancel");
    // An indented word wider than the label; "Video for" just as wide as the
    // label (23 pixels).
    seeds.Add("label_wrap", std::string(1, '\x0A') + "  Windows-Mobile x");
    seeds.Add("label_wrap", std::string(1, '\x17') + "Video for Pocket PC");
    const std::string key = Literal("\x05\x03\xFF\x00\xFF\x00\x10\x00");
    seeds.Add("region_walk", key + Literal("\xFF\x00\xFF\x00\x10\x20\x30\x00\xF0\x00\xFF\x00\x00\x00\x00\x00"));
    seeds.Add("region_walk", Literal("\x48\x02\x00\x00\x00\x00\x00\x00") + std::string(64, '\x01'));
}

// The names an item writes under, and the reasons its row gives.
void AddNamingSeeds(SeedWriter& seeds) {
    const std::string threeGp =
        "enc -y \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\"\n"
        "mux \"$OUTPUT_DIR$OUTPUT_FILE_temp.3gp\" -y \"$OUTPUT_DIR$OUTPUT_FILE.3gp\"\n"
        "fast \"$OUTPUT_DIR$OUTPUT_FILE.3gp\"";
    seeds.Add("free_names", Joined({"\x00", "D:\\out", "clip", threeGp, "CLIP_temp.3gp", "clip.3gp", "clip_2.3GP"}));
    seeds.Add("free_names", Joined({"\x01\x39\x30\x00\x01", "D:\\out\\", "M4V12345",
                                    "thm -y \"$OUTPUT_DIR$OUTPUT_FILE.THM\"\n"
                                    "enc -y \"$OUTPUT_DIR$OUTPUT_FILE.MP4\" \"$OUTPUT_DIR$OUTPUT_FILE.thm\"",
                                    "M4V12345.THM"}));
    seeds.Add("free_names", Joined({"\x02", "D:\\out\\", "clip", "enc \"$OUTPUT_DIR$OUTPUT_FILE\""}));
    seeds.Add("free_names", Joined({"\x00", "D:\\out\\", "\xC3\xA9t\xC3\xA9", "enc \"$OUTPUT_DIR$OUTPUT_FILE.mpg\"",
                                    "\xC3\x89T\xC3\x89.MPG", "\xC3\x89T\xC3\x89_2.mpg"}));
    // One file's next name is another's own in another case; a folder of 300 numbered names.
    seeds.Add("free_names", Joined({"\x04", "D:\\out\\", "clip",
                                    "enc \"$OUTPUT_DIR$OUTPUT_FILE.A\" \"$OUTPUT_DIR$OUTPUT_FILE_2.a\"", "clip.a"}));
    seeds.Add("free_names",
              Joined({"\x01\x39\x30\x01\x01\x2C\x01", "D:\\out\\", "", "enc \"$OUTPUT_DIR$OUTPUT_FILE.MP4\""}));
    seeds.Add("free_names",
              Joined({"\x00", "C:\\" + std::string(240, 'f'), "name.v1",
                      "enc -y \"$OUTPUT_DIR$OUTPUT_FILE.mpg\" \"$OUTPUT_DIR$OUTPUT_FILE\\a.b\\c\"", "name.v1.mpg"}));
    seeds.Add("failure_reason",
              "[avi @ 0x1] low score\r\nC:\\Vid\xC3\xA9os\\clip.avi: Invalid\tdata found when "
              "processing input\r\nConversion failed!\r\n");
    seeds.Add("failure_reason", std::string(99, 'x') + "\xC3\xA9\xED\xA0\x80\xF4\x90\x80\x80\xC0\xAF\x7F\xC2\x85\xE2");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_seeds SEED_FOLDER PROFILE_FOLDER\n";
        return 2;
    }
    SeedWriter seeds(argv[1]);
    AddCommandSeeds(seeds, argv[2]);
    AddProgressSeeds(seeds);
    AddFastStartSeeds(seeds);
    AddPmpmuxSeeds(seeds);
    AddTextSeeds(seeds);
    AddWindowSeeds(seeds);
    AddNamingSeeds(seeds);
    return 0;
}
