#include "engine/value_tables.h"

#include <array>
#include <vector>

namespace {

struct SettingTable {
    const char* placeholder;
    std::vector<const char*> values;
};

// Indexed by Setting. Audio quality items 4 and 5 ("96" and "128 kbps") put in
// 48 and 64: the bit rates that the iPod accepts with the chosen channels.
const std::array<SettingTable, kSettingCount>& Tables() {
    static const std::array<SettingTable, kSettingCount> tables = {{
        {"$VCODEC", {"-vcodec xvid", "-vcodec h264 -coder 0 -vlevel 13 -bufsize 256 -g 250"}},
        {"$SIZE", {"176x120", "240x176", "320x176", "320x240", "368x208", "384x160", "416x176", "400x192", "480x160"}},
        {"$FRAMERATE", {"", "-r 14.985", "-r 23.976", "-r 29.97"}},
        {"$VIDEOBITRATE", {"128", "192", "216", "256", "384", "512", "576", "640", "768", "1500"}},
        {"$ASPECT", {"4:3", "16:9"}},
        {"$CHANNEL", {"1", "2"}},
        {"$AUDIOBITRATE", {"32", "48", "64", "80", "48", "64"}},
        {"$AUDIOSAMPLE", {"", "-ar 24000", "-ar 44100", "-ar 48000"}},
        {"$VOLUME", {"128", "256", "384", "512", "640", "768", "896", "1024"}},
    }};
    return tables;
}

const SettingTable& TableOf(Setting setting) { return Tables()[static_cast<std::size_t>(setting)]; }

}  // namespace

const char* SettingPlaceholder(Setting setting) { return TableOf(setting).placeholder; }

int SettingItemCount(Setting setting) { return static_cast<int>(TableOf(setting).values.size()); }

const char* SettingValue(Setting setting, int item) {
    const SettingTable& table = TableOf(setting);
    if (item < 0 || item >= static_cast<int>(table.values.size())) return "";
    return table.values[static_cast<std::size_t>(item)];
}
