#pragma once

// VavuDuzuv's exit codes. The converter only tells zero from non-zero; the
// distinct values say which step refused, for whoever reads a failed run.
enum ExitCode : int {
    kExitAdded = 0,           // in the library (or already there)
    kExitBadArguments = 1,    // not exactly one usable path
    kExitNoSuchFile = 2,      // the path names no existing file
    kExitPlaylistFailed = 3,  // the playlist in the Music folder could not be read or written
    kExitITunesFailed = 4,    // iTunes refused the file or could not be started
    kExitITunesTimedOut = 5,  // iTunes did not finish in time
    kExitNoResources = 6,     // memory or a thread could not be had
};
