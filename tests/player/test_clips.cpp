#include "test_clips.h"

#include <windows.h>

#include "player/player_process.h"

TestClips::TestClips() {
    const std::string picture = "-f lavfi -i testsrc=rate=25:size=";
    const std::string tone = " -f lavfi -i sine=frequency=440:sample_rate=44100";
    Make("clip.avi", picture + "320x240" + tone + " -t 4 -c:v mpeg4 -q:v 4 -c:a libmp3lame -ac 2");
    Make("silent.avi", picture + "320x240 -t 3 -c:v mpeg4 -q:v 4 -an");
    Make("sound.mp3", tone.substr(1) + " -t 3 -c:a libmp3lame");
    Make("wide.mp4", picture + "640x360" + tone + " -t 4 -c:v mpeg4 -q:v 4 -c:a aac");
    Make("long.avi", picture + "160x120" + tone + " -t 60 -c:v mpeg4 -q:v 8 -c:a libmp3lame -ac 2");
    Make("clip.rm", picture + "320x240" + tone + " -t 4 -c:v rv20 -q:v 4 -c:a ac3 -ac 2");
    // A header that promises an AVI and then ends: FFmpeg cannot read it.
    folder_.Write("broken.avi", std::string("RIFF\x10\0\0\0AVI LIST\0\0", 16));
}

void TestClips::Make(const std::string& name, const std::string& arguments) {
    CPlayerProcess run;
    const std::string command =
        std::string("\"") + FFMPEG_EXE + "\" -v error -y " + arguments + " \"" + Path(name) + "\"";
    if (!run.Start(command, CPlayerProcess::Output::Error, false) || !run.Wait(60000) || run.ExitCode() != 0) {
        problem_ += "could not make " + name + "; ";
    }
}
