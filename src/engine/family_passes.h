#pragma once

#include <optional>
#include <string>
#include <vector>

// The order of each device family's passes: which command runs how, with which
// status, where Stop is checked and which intermediates are deleted, and what
// the item's result is. It decides nothing about processes or files itself; it
// drives a host that does.

// How a pass's program ended: its exit code (nothing when it could not be
// started), for the piped pass what it printed, and whether it was ended for
// printing nothing for too long.
struct PassEnd {
    std::optional<unsigned long> exitCode;
    std::string output;
    bool stalled = false;
};

class IPassHost {
public:
    virtual ~IPassHost() = default;

    // The value lines of the profile chosen for the item from the profile
    // file: line 0 is its title, line n the command of pass n. Nothing when no
    // profile is chosen.
    virtual std::optional<std::vector<std::string>> OpenProfile(int fileIndex) = 0;
    // The iPod family's template of the chosen "Profile setting".
    virtual std::string IpodTemplate() = 0;
    // The command for the item, or nothing when it does not fit its limit.
    virtual std::optional<std::string> ExpandCommand(const std::string& commandTemplate) = 0;
    virtual std::optional<std::string> BuildIpodCommand(const std::string& commandTemplate) = 0;
    virtual void EnterAppFolder() = 0;

    virtual PassEnd RunEncoder(const std::string& command) = 0;
    virtual PassEnd RunHidden(const std::string& command) = 0;
    virtual void StopEncoder() = 0;
    virtual bool CancelRequested() const = 0;

    virtual void SetItemStatus(int status) = 0;
    // Marks the item failed with the reason its row shows; the log gets the
    // reason and the output of the pass that failed.
    virtual void FailItem(int status, const std::string& reason, const std::string& output) = 0;
    virtual void MarkItemFinished() = 0;
    // The name the item's final output is written under and the PSP number
    // its names carry: the item keeps them, its Output cell shows them.
    virtual void UseOutputName(const std::string& outputPath, int fileNumber) = 0;
    // The files the item's passes have created in this run, with those the
    // next pass is about to create: all that a Stop may delete.
    virtual void ClaimItemFiles(const std::vector<std::string>& paths) = 0;
    virtual void DeleteFile(const std::string& path) = 0;

    // True when the path names the source of any item, however it is written.
    virtual bool IsSourceOfAnItem(const std::string& path) const = 0;
    // True when the path names this item's own source, however it is written.
    virtual bool IsOwnSource(const std::string& path) const = 0;
    // Holds the names the item's passes write under while it converts.
    virtual void HoldNames(const std::vector<std::string>& paths) = 0;
    // True when a file of that name is there, another item of the list
    // writes its output under it, or another running item holds it.
    virtual bool IsNameTaken(const std::string& path) const = 0;
    // File names compared as the system compares them.
    virtual bool SameName(const std::string& first, const std::string& second) const = 0;
    // True when the file is there and holds something.
    virtual bool HoldsContent(const std::string& path) const = 0;

    // The item's choices, taken when it started, and its names.
    virtual int DeviceTab() const = 0;
    virtual int ProfileEntry() const = 0;
    virtual int ThreeGpType() const = 0;
    virtual std::string OutputDirectory() const = 0;
    virtual int FileNumber() const = 0;
    virtual std::string OutputFileStem() const = 0;  // what $OUTPUT_FILE becomes
    virtual std::string ExportPath() const = 0;
    virtual double RangeSeconds() const = 0;  // the length of the item's range
};

// The families' pass sequences, one per device family routine. Each runs its
// passes until one fails or is stopped, and tells whether the item finished:
// every pass ended with exit code 0, every encoding pass's output shows a
// finished encode, and the final output holds something. A pass that creates
// a file gets FFmpeg's "-n" in place of "-y", and a file that appeared under
// its name since the item started fails the item and is kept: the item
// deletes only what its passes created.
bool RunIpodPasses(IPassHost& host);
bool RunPspPasses(IPassHost& host);
bool Run3gpPasses(IPassHost& host);
bool RunSinglePass(IPassHost& host);  // Xbox and PPC
bool RunPmpPasses(IPassHost& host);

// The path the item's final output would be written under if its passes
// started now: the names its passes would choose, nothing run or written.
// Empty when the item would be refused.
std::string PlannedOutput(IPassHost& host);

// The reasons a row gives for an item that was not converted.
constexpr const char* kReasonCommandTooLong = "command too long";
constexpr const char* kReasonOverwritesSource = "would overwrite its source";
constexpr const char* kReasonNoOutput = "no output written";
constexpr const char* kReasonEncoderStalled = "the encoder stopped answering";
constexpr const char* kReasonStoppedEarly = "the encoder stopped early";
