#pragma once

#include <optional>
#include <string>
#include <vector>

// The order of each device family's passes: which command runs how, with which
// status, where Stop is checked and which intermediates are deleted. It decides
// nothing about processes or files itself; it drives a host that does.
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

    virtual void RunEncoder(const std::string& command) = 0;
    virtual void RunHidden(const std::string& command) = 0;
    virtual void StopEncoder() = 0;
    virtual bool CancelRequested() const = 0;

    virtual void SetItemStatus(int status) = 0;
    virtual void MarkItemFinished() = 0;
    virtual void DeleteFile(const std::string& path) = 0;
    virtual void AddToITunes(const std::string& outputPath) = 0;
    // True when the path names the source of any item, however it is written.
    virtual bool IsSourceOfAnItem(const std::string& path) const = 0;
    // Writes why an item was not converted to the log.
    virtual void LogRefusal(const std::string& reason) = 0;

    // The item's choices, taken when it started, and its names.
    virtual int DeviceTab() const = 0;
    virtual int ThreeGpType() const = 0;
    virtual bool ShutDownWhenFinished() const = 0;
    virtual std::string OutputDirectory() const = 0;
    virtual std::string OutputName() const = 0;
    virtual std::string OutputFileStem() const = 0;  // what $OUTPUT_FILE becomes
    virtual std::string ExportPath() const = 0;
};

// The families' pass sequences, one per device family routine.
void RunIpodPasses(IPassHost& host);
void RunPspPasses(IPassHost& host);
void Run3gpPasses(IPassHost& host);
void RunSinglePass(IPassHost& host);  // Xbox and PPC
void RunPmpPasses(IPassHost& host);

// A file of the item in the output folder: folder, output stem, then the suffix
// (an intermediate's "_temp.3gp" or a final ".pmp").
std::string OutputFilePath(const std::string& outputDirectory, const std::string& outputName, const char* suffix);
constexpr const char* kTemp3gp = "_temp.3gp";
constexpr const char* kTemp3g2 = "_temp_2.3g2";
constexpr const char* kTempPmpVideo = "_temp.avi";
constexpr const char* kTempPmpAudio = "_temp.mp3";
