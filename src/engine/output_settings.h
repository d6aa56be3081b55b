#pragma once

// The nine combos of the iPod family's own settings, in the order their
// placeholders are put into a command.
enum class Setting {
    VideoCodec,
    VideoSize,
    FrameRate,
    VideoBitrate,
    Aspect,
    Channels,
    AudioBitrate,
    SampleRate,
    Volume,
};
constexpr int kSettingCount = 9;

// Device tabs of the tab bar.
enum DeviceTab { kTabIpod = 0, kTabPsp = 1, kTab3gp = 2, kTabXbox = 3, kTabPpc = 4, kTabPmp = 5 };

// The 3GP type combo's item that makes 3GP2 (".3g2") files; the others make ".3gp".
constexpr int kThreeGp2Type = 2;

// The selections of the output settings panel that building a command and
// running a family read. The panel implements it over its controls; tests
// implement it with plain values. Every selection is 0-based, -1 for none.
class IOutputSettings {
public:
    virtual ~IOutputSettings() = default;
    virtual int DeviceTab() const = 0;                   // tab bar 1088
    virtual int ProfileEntry() const = 0;                // "Select Profile:" list 1065
    virtual int ProfileSetting() const = 0;              // "Profile setting" combo 1072
    virtual int ThreeGpType() const = 0;                 // 3GP type combo 1089
    virtual int SettingItem(Setting setting) const = 0;  // the nine setting combos
};
