#pragma once

#include <oaidl.h>

#include <chrono>
#include <string>

// iTunes keeps its own library and offers an automation object for adding to
// it. Nothing here is compiled against iTunes: the members are looked up by
// name at run time, and iTunes' absence only means the playlist is used.

// How long the converter's helper may take over iTunes, including starting it.
constexpr std::chrono::seconds kITunesTimeLimit{30};

// Whether the automation class "iTunes.Application" is registered.
bool ITunesInstalled();

// application.LibraryPlaylist.AddFile(path), then waits while the returned
// operation status says InProgress. Bounded only by the caller's deadline.
HRESULT AddThroughApplication(IDispatch* application, const std::wstring& fullPath);

// Starts (or attaches to) iTunes and adds the file; an ExitCode. Blocks for
// as long as iTunes takes: run it under a deadline.
int AddToITunesLibrary(const std::wstring& fullPath);
