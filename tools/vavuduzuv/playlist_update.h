#pragma once

#include <string>
#include <string_view>

// The library playlist is only ever appended to: a user or a player may have
// edited it, so its existing bytes are kept exactly as they are.

// Whether a line already in the playlist names the same file as the path.
// Windows decides case-insensitivity for paths, so the caller supplies it.
using SamePathTest = bool (*)(std::string_view listedLine, std::string_view path);

// The bytes to append to a playlist whose current content is `existing` so
// that it lists `utf8Path`, or nothing when a line already names that path.
// An empty playlist first gets the "#EXTM3U" header; an unfinished last line
// is ended first; lines are ended with CR LF.
std::string PlaylistAddition(std::string_view existing, std::string_view utf8Path, SamePathTest samePath);
