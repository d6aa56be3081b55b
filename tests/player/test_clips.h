#pragma once

#include <string>

#include "support/temp_folder.h"

// Short clips for the player's tests, made by ffmpeg.exe in a folder of their
// own: "clip.avi" (4 s, 320 x 240, moving pictures and a tone), "silent.avi"
// (3 s without sound), "sound.mp3" (3 s of the tone alone), "wide.mp4" (4 s
// at 16:9), "long.avi" (60 s, small), "clip.rm" (4 s RealMedia) and
// "broken.avi" (nothing FFmpeg can read).
class TestClips {
public:
    TestClips();
    bool Made() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    std::string Path(const std::string& name) const { return folder_.Path() + name; }

private:
    void Make(const std::string& name, const std::string& arguments);

    TempFolder folder_;
    std::string problem_;
};
