#include "player/encoder_commands.h"

#include <cmath>
#include <cstdio>

#include "player/codec_choice.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", std::isfinite(seconds) && seconds > 0.0 ? seconds : 0.0);
    return text;
}

std::string Number(int value) { return std::to_string(value); }

// Quiet, never waiting for a key, only the job's own output.
std::string Start(const std::string& encoder) { return Quoted(encoder) + " -hide_banner -nostdin -nostats"; }

std::string Range(const std::string& source, double start, double length) {
    return " -ss " + Seconds(start) + " -i " + Quoted(source) + " -t " + Seconds(length);
}

std::string Scale(int width, int height) { return "scale=" + Number(width) + ":" + Number(height); }

}  // namespace

std::string ReportCommand(const std::string& encoder, const std::string& source) {
    return Start(encoder) + " -i " + Quoted(source);
}

std::string EncoderListCommand(const std::string& encoder) { return Start(encoder) + " -encoders"; }

std::string StillFrameCommand(const std::string& encoder, const std::string& source, double start, int width,
                              int height) {
    return Start(encoder) + " -v error -ss " + Seconds(start) + " -i " + Quoted(source) +
           " -map 0:v:0 -frames:v 1 -vf " + Scale(width, height) + " -pix_fmt bgr24 -f rawvideo pipe:1";
}

std::string PicturesCommand(const std::string& encoder, const std::string& source, double start, double length,
                            int width, int height, double frameRate) {
    return Start(encoder) + " -v error" + Range(source, start, length) + " -map 0:v:0 -vf " + Scale(width, height) +
           " -vsync cfr -r " + FrameRateText(frameRate) + " -pix_fmt bgr24 -f rawvideo pipe:1";
}

std::string SoundCommand(const std::string& encoder, const std::string& source, double start, double length) {
    return Start(encoder) + " -v error" + Range(source, start, length) + " -map 0:a:0 -ac " + Number(kSoundChannels) +
           " -ar " + Number(kSoundRate) + " -c:a pcm_s16le -f s16le pipe:1";
}

std::string ExportCommand(const std::string& encoder, const std::string& source, double start, double length,
                          const std::string& output, const ExportSettings& settings) {
    // Stdin stays open: FFmpeg ends the file properly on "q".
    std::string command = Quoted(encoder) + " -hide_banner -nostats -v error -progress pipe:1" +
                          Range(source, start, length) + " -map 0:v:0? -map 0:a:0? -sn";
    const PictureRect& picture = settings.picture;
    command += " -vf " + Scale(picture.width, picture.height) + ",pad=" + Number(settings.width) + ":" +
               Number(settings.height) + ":" + Number(picture.x) + ":" + Number(picture.y) + ",setsar=1";
    command += " -r " + FrameRateText(settings.frameRate);
    if (settings.format == kOutputFormatAvi) {
        command += " -c:v " + settings.videoEncoder + " -q:v 3 -c:a " + settings.audioEncoder;
        if (settings.audioEncoder != "pcm_s16le") command += " -b:a 128k";
        command += " -ar 44100 -ac 2 -f avi";
    } else {
        command += " -c:v mpeg1video -q:v 3 -c:a mp2 -b:a 192k -ar 44100 -ac 2 -f mpeg";
    }
    // The export made the name its own (an empty file) before it started.
    return command + " -y " + Quoted(output);
}

std::string FrameRateText(double frameRate) {
    for (const int base : {24, 30, 60}) {
        if (std::fabs(frameRate - base * 1000.0 / 1001.0) < 0.005) return Number(base * 1000) + "/1001";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", frameRate);
    return text;
}
