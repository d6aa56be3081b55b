// End to end: real conversions with the installed program folder (cvenc.exe,
// ffmpeg.exe, pmpmux.exe and the profile files) and its preview player under
// Wine, on clips made with Debian's ffmpeg, every output checked with
// Debian's ffprobe.
#include <gmock/gmock.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "e2e_shell.h"

namespace fs = std::filesystem;

namespace {

const double kBegin = 1.0;
const double kEnd = 3.0;
const int kLongClipSeconds = 20;
const int kDrivers = 2;  // each with its own copy of the program folder, job n in driver n % kDrivers

struct Family {
    const char* name;
    int tab;
    int threeGpType;
    int profileCount;
    int stopPasses;    // Stop is pressed as each of these passes starts; none where another family runs the same passes
    int defaultEntry;  // the iPod's default is combo item 1, the others' list entry 0
    const char* defaultWidth;
    const char* otherClip;  // converted with the default profile besides the widescreen clip
};

// Every source is converted by one family at least; the PSP and the PMP, which
// give a silent source a silent track, each get the silent one.
const Family kFamilies[] = {
    {"ipod", 0, 0, 8, 1, 1, "320", "clip.mov"},    {"psp", 1, 0, 20, 2, 0, "320", "silent.avi"},
    {"3gp-amr", 2, 0, 4, 3, 0, "176", "clip.wmv"}, {"3gp-aac", 2, 1, 3, 0, 0, "176", "clip.3gp"},
    {"3gp2", 2, 2, 3, 5, 0, "176", "clip.mp4"},    {"xbox", 3, 0, 5, 1, 0, "720", "my clip & more.avi"},
    {"ppc", 4, 0, 4, 0, 0, "320", "clip.avi"},     {"pmp", 5, 0, 4, 4, 0, "480", "silent.avi"},
};

// Made with Debian's ffmpeg from a lavfi picture and a tone (dropped by "-an").
struct Clip {
    const char* name;
    const char* outputOptions;
    const char* picture = "testsrc=size=640x480:rate=25";
    int seconds = 4;
};

// White 16:9 DVD frames (720 x 576 with wide pixels) with 5.1 sound: every
// family's default profile converts them, and the outputs' bars stand out
// against the picture.
const char kWideClip[] = "wide.mpg";

const char kSilentClip[] = "silent.avi";
const Clip kClips[] = {
    {"clip.avi", "-c:v mpeg4 -c:a libmp3lame"},
    {kWideClip, "-c:v mpeg2video -c:a ac3 -ac 6 -ar 48000 -f vob", "color=c=white:size=720x576:rate=25,setsar=64/45"},
    {"clip.wmv", "-c:v wmv2 -c:a wmav2"},
    {"clip.mov", "-c:v libx264 -pix_fmt yuv420p -c:a aac"},
    {"clip.3gp", "-c:v h263 -s 352x288 -c:a aac -ar 22050"},
    {"clip.mp4", "-c:v libx264 -pix_fmt yuv420p -c:a aac"},
    {kSilentClip, "-c:v mpeg4 -an"},
    {"my clip & more.avi", "-c:v mpeg4 -c:a libmp3lame"},
    {"hd.mp4", "-c:v libx264 -pix_fmt yuv420p -c:a aac", "testsrc=size=1280x720:rate=25"},
    {"clip.rm", "-c:v rv20 -c:a ac3", "testsrc=size=320x240:rate=25"},  // which only the player reads
    // Moving noise keeps the encoder busy long enough to report progress often.
    {"long.avi", "-vf noise=alls=12:allf=t -c:v mpeg4 -c:a libmp3lame", "testsrc2=size=640x480:rate=25",
     kLongClipSeconds},
};

// The iPod's profiles for today's screens, each with a source of the kind it
// is made for: no frame is enlarged, each keeps its display shape.
struct TodaysProfile {
    const char* clip;
    const char* frame;
    const char* aspect;
};
const std::map<int, TodaysProfile> kIpodTodaysProfiles = {
    {5, {"hd.mp4", "1280x720", "16:9"}}, {6, {kWideClip, "720x576", "16:9"}}, {7, {kSilentClip, "640x480", "4:3"}}};

const TodaysProfile* TodaysProfileOf(int tab, int entry) {
    const auto found = kIpodTodaysProfiles.find(entry);
    return tab == 0 && found != kIpodTodaysProfiles.end() ? &found->second : nullptr;
}

// Whose lengths the preview player tells; it exports the RealMedia one's range.
const char* const kPlayerClips[] = {"clip.rm", "clip.avi", kWideClip, "clip.mp4"};

// Where a 16:9 picture lands in each family's output, by its extension: the
// bar above it and its height (the bar below takes the rest). 4:3 frames get
// bars; PMP's 480 x 272 is 16:9 within 1 %.
const std::map<std::string, std::pair<int, int>> kLetterboxes = {
    {".mp4", {30, 180}}, {".MP4", {30, 180}}, {".THM", {14, 90}},  {".3gp", {22, 100}},
    {".3g2", {22, 100}}, {".mpg", {60, 360}}, {".avi", {30, 180}}, {".pmp", {0, 272}}};

struct Job {
    int number;  // also the item's PSP file number less 10000
    const Family* family;
    int profileEntry;
    fs::path source;
    double begin;
    double end;
    int stopAtPass;
    fs::path outputFolder;
    std::map<std::string, std::string> report;
    std::string clip() const { return source.filename().string(); }
};

// A job whose source lies in its output folder under its output's name.
bool IsRefusal(const Job& job) { return job.source.parent_path() == job.outputFolder; }

bool Succeeds(const std::string& command) { return std::system(command.c_str()) == 0; }

// The start of a command that runs one of the Windows drivers under Wine.
std::string DriverCommand(const char* driver) {
    const fs::path source = CLIPVANE_SOURCE_DIR;
    return Quoted(source / "scripts" / "wine-run") + " " +
           Quoted(source / "build" / "windows" / "tests" / "e2e" / driver) + " ";
}

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// The final files a family writes for a source, by the names the task list
// shows; a PSP item's video comes before its thumbnail.
std::set<std::string> ExpectedOutputs(const Job& job) {
    if (job.family->tab == 1) {
        char psp[16];
        std::snprintf(psp, sizeof psp, "%s%05d", job.profileEntry < 16 ? "M4V" : "MAQ", 10000 + job.number);
        return {psp + std::string(".MP4"), psp + std::string(".THM")};
    }
    const char* extensions[] = {".mp4", "", job.family->threeGpType == 2 ? ".3g2" : ".3gp", ".mpg", ".avi", ".pmp"};
    return {fs::path(job.clip()).stem().string() + extensions[job.family->tab]};
}

class EndToEnd : public ::testing::Test {
protected:
    inline static fs::path work;
    inline static std::vector<Job> jobs;
    inline static std::vector<std::string> setUpFailures;         // clips or drivers that failed
    inline static std::map<std::string, std::string> playerSaid;  // "duration CLIP" or "export FILE": its value

    static void SetUpTestSuite() {
        work = fs::temp_directory_path() / ("clipvane-e2e-" + std::to_string(getpid()));
        fs::create_directories(work / "clips");
        MakeClips();
        PlanJobs();
        RunJobs();
        RunPlayer();
    }
    static void TearDownTestSuite() {
        if (std::getenv("CLIPVANE_KEEP_E2E") == nullptr) fs::remove_all(work);
    }

    static void MakeClips() {
        for (const Clip& clip : kClips) {
            const fs::path path = work / "clips" / clip.name;
            if (!Succeeds("ffmpeg -v error -y -f lavfi -i " + std::string(clip.picture) +
                          " -f lavfi -i sine=frequency=440:sample_rate=44100 -ac 2 -t " + std::to_string(clip.seconds) +
                          " " + clip.outputOptions + " " + Quoted(path) + " 2>/dev/null")) {
                setUpFailures.push_back("could not make " + path.string());
            }
        }
    }

    static Job& Add(const Family& family, int entry, const std::string& clip, double begin, double end, int stop) {
        const fs::path out = work / "out" / std::to_string(jobs.size());
        jobs.push_back(
            {static_cast<int>(jobs.size()), &family, entry, work / "clips" / clip, begin, end, stop, out, {}});
        fs::create_directories(jobs.back().outputFolder);
        return jobs.back();
    }

    // A source that lies in the output folder under the name the item's
    // output would have: the item must be refused and the source kept.
    static void AddSourceNamedLikeItsOutput(const Family& family) {
        Job& job = Add(family, family.defaultEntry, "clip.avi", kBegin, kEnd, 0);
        job.source = job.outputFolder / *ExpectedOutputs(job).begin();
        fs::copy_file(work / "clips" / "clip.avi", job.source);
    }

    static void PlanJobs() {
        for (const Family& family : kFamilies) {
            for (const char* clip : {kWideClip, family.otherClip})
                Add(family, family.defaultEntry, clip, kBegin, kEnd, 0);
            for (int entry = 0; entry < family.profileCount; ++entry) {
                const TodaysProfile* todays = TodaysProfileOf(family.tab, entry);
                if (entry != family.defaultEntry) Add(family, entry, todays ? todays->clip : "clip.avi", 0.5, 1.5, 0);
            }
            for (int pass = 1; pass <= family.stopPasses; ++pass) {
                Add(family, family.defaultEntry, "long.avi", 0.0, kLongClipSeconds, pass);
            }
            AddSourceNamedLikeItsOutput(family);
        }
        Add(kFamilies[0], kFamilies[0].defaultEntry, "long.avi", 0.0, kLongClipSeconds, 0);
    }

    static void RunJobs() {
        const fs::path source = fs::path(CLIPVANE_SOURCE_DIR);
        std::mutex failuresLock;
        std::vector<std::thread> drivers;
        for (int driver = 0; driver < kDrivers; ++driver) {
            drivers.emplace_back([&, driver] {
                const fs::path program = work / ("program" + std::to_string(driver));
                fs::copy(source / "dist" / "Clipvane", program, fs::copy_options::recursive);
                const fs::path jobFile = work / ("jobs" + std::to_string(driver) + ".txt");
                std::ofstream file(jobFile);
                for (std::size_t n = driver; n < jobs.size(); n += kDrivers) {
                    const Job& job = jobs[n];
                    file << n << '\t' << job.family->tab << '\t' << job.family->threeGpType << '\t' << job.profileEntry
                         << '\t' << WindowsPath(job.source) << '\t' << job.begin << '\t' << job.end << '\t'
                         << job.stopAtPass << '\t' << WindowsPath(job.outputFolder) << "\\\n";
                }
                file.close();
                const fs::path reportFile = work / ("report" + std::to_string(driver) + ".txt");
                if (!Succeeds(DriverCommand("e2e_driver.exe") + Quoted(WindowsPath(program) + "\\") + " " +
                              Quoted(WindowsPath(jobFile)) + " " + Quoted(WindowsPath(reportFile)) +
                              " >/dev/null 2>&1")) {
                    std::lock_guard<std::mutex> lock(failuresLock);
                    setUpFailures.push_back("driver " + std::to_string(driver) + " failed");
                }
                std::ifstream report(reportFile);
                for (std::string line; std::getline(report, line);) {
                    std::map<std::string, std::string> fields;
                    std::istringstream words(line);
                    for (std::string word; words >> word;) {
                        const std::size_t equals = word.find('=');
                        fields[word.substr(0, equals)] = word.substr(equals + 1);
                    }
                    const std::size_t number = std::strtoul(fields["job"].c_str(), nullptr, 10);
                    if (number < jobs.size()) jobs[number].report = fields;
                }
            });
        }
        for (std::thread& driver : drivers) driver.join();
    }

    // The preview player with the installed ffmpeg.exe: the lengths of some
    // sources, and the RealMedia clip's range 1 s to 3 s exported in both forms.
    static void RunPlayer() {
        fs::create_directories(work / "player");
        std::string command =
            DriverCommand("player_driver.exe") +
            Quoted(WindowsPath(fs::path(CLIPVANE_SOURCE_DIR) / "dist" / "Clipvane" / "app" / "ffmpeg.exe")) + " " +
            Quoted(WindowsPath(work / "player"));
        for (const char* clip : kPlayerClips) command += " " + Quoted(WindowsPath(work / "clips" / clip));
        std::istringstream lines(RunCommand(command + " 2>/dev/null"));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::istringstream fields(line);
            std::string kind, subject, value;
            std::getline(std::getline(std::getline(fields, kind, '\t'), subject, '\t'), value);
            playerSaid[kind + " " + subject.substr(subject.find_last_of('\\') + 1)] = value;
        }
    }

    static int Number(const Job& job, const char* key) {
        const auto found = job.report.find(key);
        return found == job.report.end() ? -1 : std::atoi(found->second.c_str());
    }
};

// Container, codecs and frame size each family's profiles must give.
void ExpectDeviceFormat(const Job& job, const fs::path& file) {
    std::map<std::string, std::string> facts = Probe(file);
    const std::string format = facts["format_name"], video = facts["video.codec_name"];
    const std::string audio = facts["audio.codec_name"];
    SCOPED_TRACE(file.string() + " format=" + format + " video=" + video + " audio=" + audio);
    if (file.extension() == ".THM") {
        EXPECT_EQ(video, "mjpeg");
        EXPECT_EQ(facts["video.width"], "160");
        return;
    }
    using ::testing::MatchesRegex;  // of the whole text
    const int tab = job.family->tab;
    const char* formats[] = {".*mp4.*", ".*mp4.*", ".*3gp.*", "mpeg", "avi", "pmp"};
    const char* videos[] = {"mpeg4|h264", job.profileEntry < 16 ? "mpeg4" : "h264", "h263|mpeg4", "mpeg2video", "mpeg4",
                            "h264|mpeg4"};
    const char* sounds[] = {"aac", "aac", job.family->threeGpType == 0 ? "amr_nb" : "aac", "ac3|mp2", "mp3", "mp3"};
    EXPECT_THAT(format, MatchesRegex(formats[tab]));
    EXPECT_THAT(video, MatchesRegex(videos[tab]));
    // The PSP and the PMP want sound: a silent source gets a silent track there.
    if (job.clip() != kSilentClip || tab == 1 || tab == 5) {
        EXPECT_THAT(audio, MatchesRegex(sounds[tab]));
    }
    if (job.profileEntry == job.family->defaultEntry) {
        EXPECT_EQ(facts["video.width"], job.family->defaultWidth);
    }
    if (const TodaysProfile* todays = TodaysProfileOf(tab, job.profileEntry)) {
        EXPECT_EQ(facts["video.width"] + "x" + facts["video.height"], todays->frame);
        EXPECT_EQ(facts["video.display_aspect_ratio"], todays->aspect);
        EXPECT_EQ(video, "h264");
    }
    ASSERT_EQ(facts.count("duration"), 1u) << "no duration";
    EXPECT_NEAR(std::atof(facts["duration"].c_str()), job.end - job.begin, 0.25);
}

// Two sources with each family's default profile, and a shorter range of one
// source with every other profile. A source that lies in the output folder
// under its output's name is refused and kept.
TEST_F(EndToEnd, EveryFamilyConvertsItsSourcesAndEveryProfileWithATrimmedRange) {
    EXPECT_THAT(setUpFailures, ::testing::IsEmpty());
    const std::string original = ReadAll(work / "clips" / "clip.avi");
    for (const Job& job : jobs) {
        EXPECT_FALSE(job.report.empty()) << "no report for job " << job.number;
        SCOPED_TRACE(std::string(job.family->name) + " profile " + std::to_string(job.profileEntry) + " " + job.clip());
        if (IsRefusal(job)) {
            EXPECT_EQ(Number(job, "status"), 11);
            EXPECT_EQ(FilesIn(job.outputFolder), std::set<std::string>{job.clip()});
            EXPECT_TRUE(ReadAll(job.source) == original) << "the source's bytes changed";
        }
        if (job.stopAtPass != 0 || job.clip() == "long.avi" || IsRefusal(job)) continue;
        EXPECT_EQ(Number(job, "finished"), 1);
        const std::set<std::string> expected = ExpectedOutputs(job);
        EXPECT_EQ(FilesIn(job.outputFolder), expected) << "outputs only, every temporary gone";
        for (const std::string& name : expected) {
            if (fs::exists(job.outputFolder / name)) ExpectDeviceFormat(job, job.outputFolder / name);
        }
    }
}

// The mean of each line of the first frame, decoded to full-range grey
// (true black 0, white 255); empty when it cannot be decoded.
std::vector<double> LineMeans(const fs::path& file) {
    std::map<std::string, std::string> facts = Probe(file);
    const int width = std::atoi(facts["video.width"].c_str());
    const int height = std::atoi(facts["video.height"].c_str());
    const fs::path grey = file.string() + ".grey";
    RunCommand("ffmpeg -v error -y -i " + Quoted(file) + " -frames:v 1 -pix_fmt gray -f rawvideo " + Quoted(grey));
    const std::string pixels = ReadAll(grey);
    fs::remove(grey);
    std::vector<double> means;
    for (int y = 0; width > 0 && pixels.size() == static_cast<std::size_t>(width) * height && y < height; ++y) {
        double sum = 0;
        for (int x = 0; x < width; ++x) sum += static_cast<unsigned char>(pixels[y * width + x]);
        means.push_back(sum / width);
    }
    return means;
}

TEST_F(EndToEnd, EveryFamilyKeepsTheShapeOfAWidescreenPictureWithBlackBars) {
    for (const Job& job : jobs) {
        if (job.clip() != kWideClip || job.profileEntry != job.family->defaultEntry || IsRefusal(job)) continue;
        for (const std::string& name : ExpectedOutputs(job)) {
            SCOPED_TRACE(std::string(job.family->name) + " " + name);
            const auto [top, pictureHeight] = kLetterboxes.at(fs::path(name).extension().string());
            const std::vector<double> lines = LineMeans(job.outputFolder / name);
            ASSERT_FALSE(lines.empty()) << "no frame";
            // Two lines of leeway at each edge, where the codecs blur bar and picture together.
            std::string wrongLines;
            for (int y = 0; y < static_cast<int>(lines.size()); ++y) {
                const bool bar = y < top - 2 || y >= top + pictureHeight + 2;
                const bool picture = y >= top + 2 && y < top + pictureHeight - 2;
                if ((bar && lines[y] > 8) || (picture && lines[y] < 240)) {
                    wrongLines += " " + std::to_string(y) + ":" + std::to_string(static_cast<int>(lines[y]));
                }
            }
            EXPECT_THAT(wrongLines, ::testing::IsEmpty()) << "line:mean, neither black bar nor white picture";
        }
    }
}

// The last job: a long clip run to its end.
TEST_F(EndToEnd, ProgressMovesWhileALongClipEncodes) {
    EXPECT_GE(Number(jobs.back(), "progressSteps"), 2);
    EXPECT_GT(Number(jobs.back(), "sizeKB"), 0);
    EXPECT_NEAR(std::atof(jobs.back().report.at("encodedTime").c_str()), kLongClipSeconds, 1.0);
}

// Stop pressed as each pass of each family starts: nothing of the stopped
// item remains, whichever pass the Stop was really handled in. A short last
// pass can end before its Stop arrives: the item is then finished and keeps
// its outputs.
TEST_F(EndToEnd, StopAtAnyPassLeavesNothingOfTheItem) {
    int stoppedDuringPasses = 0, stopJobs = 0;
    for (const Job& job : jobs) {
        if (job.stopAtPass == 0) continue;
        ++stopJobs;
        const int hit = Number(job, "stoppedInPass");
        SCOPED_TRACE(std::string(job.family->name) + " stopped at pass " + std::to_string(job.stopAtPass) +
                     (hit == 0 ? ", after its passes" : ", handled in pass " + std::to_string(hit)));
        std::set<std::string> allowed;
        if (hit == 0) {
            allowed = ExpectedOutputs(job);
        } else {
            ++stoppedDuringPasses;
            EXPECT_EQ(Number(job, "status"), 9);
        }
        EXPECT_THAT(FilesIn(job.outputFolder), ::testing::IsSubsetOf(allowed));
    }
    EXPECT_GT(stoppedDuringPasses * 2, stopJobs) << "most Stops must land inside a pass";
}

TEST_F(EndToEnd, ThePlayersLengthsAgreeWithFfprobeAndItExportsARealMediaRangeInBothForms) {
    for (const char* clip : kPlayerClips) {
        EXPECT_NEAR(std::atof(playerSaid[std::string("duration ") + clip].c_str()),
                    std::atof(Probe(work / "clips" / clip)["duration"].c_str()), 0.1)
            << clip;
    }
    for (const auto& [file, video, audio] :
         {std::tuple{"export.avi", "msmpeg4v3", "mp3"}, std::tuple{"export.mpg", "mpeg1video", "mp2"}}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(playerSaid[std::string("export ") + file], "0");
        std::map<std::string, std::string> facts = Probe(work / "player" / file);
        EXPECT_EQ(facts["video.codec_name"], video);
        EXPECT_EQ(facts["audio.codec_name"], audio);
        EXPECT_EQ(facts["video.width"] + "x" + facts["video.height"], "320x240");
        EXPECT_NEAR(std::atof(facts["duration"].c_str()), 2.0, 0.3);
    }
}

}  // namespace
