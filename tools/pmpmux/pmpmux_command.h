#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pmpmux/byte_io.h"

// pmpmux's command line, apart from the files themselves, which each
// platform's main opens through the FileSystem interface:
//   pmpmux [-y] VIDEO.avi AUDIO.mp3 OUTPUT.pmp   mux; only with -y over a file that is there
//   pmpmux -check OUTPUT.pmp AUDIO.mp3           read a written file back and verify it

// Names one file on its volume, so that an output that is really one of the
// inputs (under another name or through a link) can be refused before it is
// emptied.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity& other) const { return volume == other.volume && file == other.file; }
};

class InputFile : public ByteSource {
public:
    virtual FileIdentity Identity() const = 0;
};

class OutputFile : public ByteSink {
public:
    virtual FileIdentity Identity() const = 0;
    // Empties the file; it is opened without emptying it.
    virtual bool Truncate() = 0;
    // Closes the file; false when the last writes did not reach it.
    virtual bool Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // On failure return nullptr and say why in `error`.
    virtual std::unique_ptr<InputFile> OpenInput(const std::string& path, std::string* error) = 0;
    // Creates the file, failing when one is there; with `replace` opens that
    // one instead, without emptying it.
    virtual std::unique_ptr<OutputFile> OpenOutput(const std::string& path, bool replace, std::string* error) = 0;
};

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Runs one command (the arguments after the program name) and returns the
// exit code. On failure `message` holds the one line for stderr. The output
// file is only created once both inputs have been read and found usable, and
// a file that is there is left alone unless -y says otherwise: the converter
// names the output free, and what appears under that name is someone else's.
int RunPmpmux(const std::vector<std::string>& arguments, FileSystem& files, std::string* message);
