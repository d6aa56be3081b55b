#pragma once

#include <string>

// Where the finished file goes when iTunes is not installed: the playlist
// "Clipvane Library.m3u8" in the user's Music folder, which any player can
// open as the library of everything Clipvane has made.

// The user's Music folder, created when it does not exist; empty when
// Windows cannot name or make it.
std::wstring MusicFolder();

// Appends the full path to the playlist unless it is already listed. False
// when the playlist could not be opened, read or written.
bool AddToMusicPlaylist(const std::wstring& fullPath);
