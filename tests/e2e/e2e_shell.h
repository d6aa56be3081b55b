#pragma once

// What the tests of whole programs need of the Linux side: running commands,
// reading files, naming files for programs under Wine (which sees / as drive
// Z:), and ffprobe.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

// The command's standard output, and its exit code when asked for (-1 when it did not exit).
inline std::string RunCommand(const std::string& command, int* exitCode = nullptr) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got = 0; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    const int status = pipe ? pclose(pipe) : -1;
    if (exitCode) *exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

inline std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

inline std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

inline std::string WindowsPath(const std::filesystem::path& path) {
    std::string text = "Z:" + path.string();
    for (char& c : text) c = c == '/' ? '\\' : c;
    return text;
}

// What ffprobe says of a file: "format_name", "duration", and of the first
// stream of each type "video.codec_name", "video.width", "video.height",
// "video.display_aspect_ratio", "audio.codec_name".
inline std::map<std::string, std::string> Probe(const std::filesystem::path& file) {
    std::map<std::string, std::string> facts;
    const auto read = [&](const std::string& prefix, const std::string& entries) {
        std::istringstream lines(
            RunCommand("ffprobe -v error " + entries + " -of default=nw=1 " + Quoted(file) + " 2>/dev/null"));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) facts[prefix + line.substr(0, equals)] = line.substr(equals + 1);
        }
    };
    read("", "-show_entries format=format_name,duration");
    read("video.", "-select_streams v:0 -show_entries stream=codec_name,width,height,display_aspect_ratio");
    read("audio.", "-select_streams a:0 -show_entries stream=codec_name");
    return facts;
}
