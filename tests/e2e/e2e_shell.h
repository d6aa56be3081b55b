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
    const std::string ffprobe = "ffprobe -v error -show_entries ";
    std::map<std::string, std::string> facts;
    std::istringstream format(
        RunCommand(ffprobe + "format=format_name,duration -of default=nw=1 " + Quoted(file) + " 2>/dev/null"));
    for (std::string line; std::getline(format, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) facts[line.substr(0, equals)] = line.substr(equals + 1);
    }
    // One line per stream: codec name, type, then a picture's width, height and display aspect.
    std::istringstream streams(RunCommand(ffprobe + "stream=codec_name,codec_type,width,height,display_aspect_ratio " +
                                          "-of csv=p=0 " + Quoted(file) + " 2>/dev/null"));
    for (std::string line; std::getline(streams, line);) {
        std::istringstream fields(line);
        std::string name, type, width, height, aspect;
        std::getline(std::getline(std::getline(std::getline(fields, name, ','), type, ','), width, ','), height, ',');
        std::getline(fields, aspect, ',');
        if (facts.count(type + ".codec_name") != 0) continue;
        facts[type + ".codec_name"] = name;
        if (type == "video") {
            facts["video.width"] = width;
            facts["video.height"] = height;
            facts["video.display_aspect_ratio"] = aspect;
        }
    }
    return facts;
}
