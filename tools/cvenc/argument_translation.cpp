#include "cvenc/argument_translation.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>

#include "cvenc/picture_fit.h"

namespace {

// FFmpeg prints its progress lines (to standard error) only with stats on;
// "-stats" also keeps them when a profile turns the log level down.
const char* const kProgressOptions[] = {"-hide_banner", "-stats"};

// A profile that asked for these would cut the converter off: without stats
// there is no progress to show, without standard input there is no way to stop.
bool IsDroppedOption(const std::string& argument) { return argument == "-nostats" || argument == "-nostdin"; }

// Templates put a single blank for a range they do not need, and the command
// line splitter turns a bare blank into nothing at all.
bool IsRangeOption(const std::string& argument) { return argument == "-ss" || argument == "-t"; }

// "-vcodec h264" is the H.264 of portable players, which decode Baseline only
// (its "-coder 0" turns CABAC off but leaves libx264's High profile); a
// profile that wants more names it.
bool NamesProfile(const std::vector<std::string>& dialect) {
    for (const std::string& argument : dialect) {
        if (argument == "-profile:v" || argument == "-profile" || argument == "-vprofile") return true;
    }
    return false;
}

const std::map<std::string, std::string> kVideoEncoders = {{"xvid", "libxvid"}, {"h264", "libx264"}};
const std::map<std::string, std::string> kAudioEncoders = {
    {"mp3", "libmp3lame"}, {"amr_nb", "libopencore_amrnb"}, {"aac", "aac"}};

// Options that only change their name, some with a value in kbit/s when no unit is given.
struct RenamedOption {
    const char* dialect;
    const char* ffmpeg;
    bool kilobits;
};
const RenamedOption kRenamedOptions[] = {
    {"-b", "-b:v", true},           {"-ab", "-b:a", true},          {"-bufsize", "-bufsize", true},
    {"-maxrate", "-maxrate", true}, {"-minrate", "-minrate", true}, {"-vlevel", "-level", false},
};

// -vol 256 is 100 %; a limit far beyond any useful gain keeps the text short.
constexpr double kVolumeUnit = 256.0;
constexpr double kLargestVolume = 1000000.0;

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// "-5" and "-.5" are values; "-t" and "-vcodec" are options.
bool LooksLikeOption(const std::string& text) {
    return text.size() >= 2 && text[0] == '-' && !(text[1] >= '0' && text[1] <= '9') && text[1] != '.';
}

// Digits with at most one decimal point, such as 768 or 12.2.
bool IsPlainNumber(const std::string& text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

std::string Kilobits(const std::string& value) { return IsPlainNumber(value) ? value + "k" : value; }

std::string EncoderName(const std::map<std::string, std::string>& names, const std::string& dialect) {
    const auto found = names.find(dialect);
    return found == names.end() ? dialect : found->second;
}

const RenamedOption* FindRenamed(const std::string& argument) {
    for (const RenamedOption& option : kRenamedOptions) {
        if (argument == option.dialect) return &option;
    }
    return nullptr;
}

// N/256 written exactly as a short decimal ("2", "0.5", "0.390625").
bool VolumeFactor(const std::string& value, std::string& factor) {
    if (!IsPlainNumber(value)) return false;
    const double volume = std::strtod(value.c_str(), nullptr);
    if (volume > kLargestVolume) return false;
    char text[64];
    std::snprintf(text, sizeof text, "%.12f", volume / kVolumeUnit);
    factor = text;
    factor.erase(factor.find_last_not_of('0') + 1);
    if (factor.back() == '.') factor.pop_back();
    return true;
}

bool TakesDialectValue(const std::string& argument) {
    return argument == "-vcodec" || argument == "-acodec" || argument == "-vol" || argument == "-title" ||
           FindRenamed(argument) != nullptr;
}

// Puts the volume filter into every "-af" chain of the command, or, when there
// is none, in place of "-vol".
void PlaceVolumeFilter(std::vector<std::string>& arguments, std::size_t volumeAt, const std::string& factor) {
    const std::string filter = "volume=" + factor;
    bool merged = false;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-af") {
            arguments[i + 1] += "," + filter;
            merged = true;
            ++i;
        }
    }
    if (!merged) arguments.insert(arguments.begin() + static_cast<std::ptrdiff_t>(volumeAt), {"-af", filter});
}

// The last "-i" and its value: what follows are the output's options.
std::size_t OutputOptionsStart(const std::vector<std::string>& arguments) {
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-i") start = ++i + 1;
    }
    return start;
}

// Where an output option stands last, or npos.
std::size_t FindOutputOption(const std::vector<std::string>& arguments, const char* option) {
    std::size_t found = std::string::npos;
    for (std::size_t i = OutputOptionsStart(arguments); i + 1 < arguments.size(); ++i) {
        if (arguments[i] == option) found = i;
    }
    return found;
}

// Copied video cannot be filtered, and a complex filter graph decides about
// the picture itself: such commands keep their frame size as it was.
bool TakesPictureAsIs(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-filter_complex" || argument == "-lavfi") return true;
        const bool codec = argument == "-c:v" || argument == "-codec:v" || argument == "-c" || argument == "-codec";
        if (codec && i + 1 < arguments.size() && arguments[i + 1] == "copy") return true;
    }
    return false;
}

bool PositiveWhole(const std::string& text, long long largest, long long& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::atoll(text.c_str());
    return value > 0 && value <= largest;
}

// "320x240"; FFmpeg's size names ("qvga"...) are not the dialect's and stay FFmpeg's.
bool FrameSize(const std::string& text, DisplayArea& area) {
    constexpr long long kLargestSide = 16384;
    const std::size_t x = text.find('x');
    long long width = 0;
    long long height = 0;
    if (x == std::string::npos || !PositiveWhole(text.substr(0, x), kLargestSide, width) ||
        !PositiveWhole(text.substr(x + 1), kLargestSide, height)) {
        return false;
    }
    area.width = static_cast<int>(width);
    area.height = static_cast<int>(height);
    area.aspect = {width, height};
    return true;
}

// "16", "1.85" as a fraction in lowest terms; a value below a million in at most
// nine digits keeps every product in range.
bool Fraction(const std::string& text, Ratio& fraction) {
    const std::size_t point = text.find('.');
    std::string digits = text;
    if (point != std::string::npos) digits.erase(point, 1);
    long long value = 0;
    if (!IsPlainNumber(text) || !PositiveWhole(digits, 999999, value)) return false;
    long long scale = 1;
    for (std::size_t decimal = point + 1; point != std::string::npos && decimal < text.size(); ++decimal) scale *= 10;
    const long long common = std::gcd(value, scale);
    fraction = {value / common, scale / common};
    return true;
}

// "16:9", "16/9" or "1.78", as FFmpeg's -aspect takes them.
bool DisplayAspect(const std::string& text, Ratio& aspect) {
    const std::size_t split = text.find_first_of(":/");
    Ratio width;
    Ratio height;
    if (split == std::string::npos) return Fraction(text, aspect);
    if (!Fraction(text.substr(0, split), width) || !Fraction(text.substr(split + 1), height)) return false;
    const long long across = width.width * height.height;
    const long long down = width.height * height.width;
    const long long common = std::gcd(across, down);
    aspect = {across / common, down / common};
    return true;
}

// Puts a picture filter where the output's size option was, or at the end of
// the command's own "-vf" chain, so that it works on the picture that chain makes.
void PlaceVideoFilter(std::vector<std::string>& arguments, std::size_t optionAt, const std::string& filter) {
    for (const char* own : {"-vf", "-filter:v"}) {
        const std::size_t chainAt = FindOutputOption(arguments, own);
        if (chainAt != std::string::npos) {
            arguments[chainAt + 1] += "," + filter;
            const auto option = arguments.begin() + static_cast<std::ptrdiff_t>(optionAt);
            arguments.erase(option, option + 2);
            return;
        }
    }
    arguments[optionAt] = "-vf";
    arguments[optionAt + 1] = filter;
}

// The fitting chain takes the output's "-s"; the "-aspect" stays: FFmpeg
// writes it into the file as before.
void PlacePictureFit(std::vector<std::string>& arguments, std::string& error) {
    const std::size_t sizeAt = FindOutputOption(arguments, "-s");
    DisplayArea area;
    if (sizeAt == std::string::npos || TakesPictureAsIs(arguments) || !FrameSize(arguments[sizeAt + 1], area)) {
        return;
    }
    const std::size_t aspectAt = FindOutputOption(arguments, "-aspect");
    if (aspectAt != std::string::npos && !DisplayAspect(arguments[aspectAt + 1], area.aspect)) {
        error = "-aspect needs a display ratio such as 16:9, not \"" + arguments[aspectAt + 1] + "\"";
        return;
    }
    PlaceVideoFilter(arguments, sizeAt, FitFilter(area));
}

// cvenc's own "-maxsize": a bound for the source's frame (picture_fit.h),
// for players that show any size up to the one they decode.
void PlaceBound(std::vector<std::string>& arguments, std::string& error) {
    const std::size_t boundAt = FindOutputOption(arguments, "-maxsize");
    if (boundAt == std::string::npos) return;
    DisplayArea bound;
    if (!FrameSize(arguments[boundAt + 1], bound)) {
        error = "-maxsize needs a size such as 1280x720, not \"" + arguments[boundAt + 1] + "\"";
    } else if (FindOutputOption(arguments, "-s") != std::string::npos) {
        error = "-maxsize and -s cannot both set the output's size";
    } else {
        PlaceVideoFilter(arguments, boundAt, BoundFilter(bound.width, bound.height));
    }
}

}  // namespace

Translation TranslateArguments(const std::vector<std::string>& dialect) {
    Translation result;
    std::vector<std::string>& out = result.arguments;
    out.assign(std::begin(kProgressOptions), std::end(kProgressOptions));

    bool stretch = false;
    bool hasVolume = false;
    std::size_t volumeAt = 0;
    std::string volumeFactor;

    for (std::size_t i = 0; i < dialect.size(); ++i) {
        const std::string& argument = dialect[i];
        const bool hasNext = i + 1 < dialect.size();
        if (IsBlank(argument) || IsDroppedOption(argument)) continue;
        if (argument == "-needaudio") {  // cvenc's own flag: a blank after it is no value of it
            result.needsAudio = true;
            continue;
        }
        if (argument == "-stretch") {  // cvenc's own flag: the picture fills the frame, whatever its shape
            stretch = true;
            continue;
        }
        if (LooksLikeOption(argument) && hasNext && IsBlank(dialect[i + 1])) {
            ++i;  // an option with a blank value is dropped with it
            continue;
        }
        if (IsRangeOption(argument) && (!hasNext || LooksLikeOption(dialect[i + 1]))) continue;
        if (!TakesDialectValue(argument)) {
            out.push_back(argument);
            continue;
        }
        if (!hasNext) {
            result.error = "option " + argument + " needs a value";
            return result;
        }
        const std::string& value = dialect[++i];
        if (argument == "-vcodec") {
            out.insert(out.end(), {"-c:v", EncoderName(kVideoEncoders, value)});
            if (value == "h264" && !NamesProfile(dialect)) out.insert(out.end(), {"-profile:v", "baseline"});
        } else if (argument == "-acodec") {
            out.insert(out.end(), {"-c:a", EncoderName(kAudioEncoders, value)});
        } else if (argument == "-title") {
            out.insert(out.end(), {"-metadata", "title=" + value});
        } else if (argument == "-vol") {
            if (!VolumeFactor(value, volumeFactor)) {
                result.error = "-vol needs a number from 0 to 1000000 (256 is 100 %), not \"" + value + "\"";
                return result;
            }
            hasVolume = true;
            volumeAt = out.size();
        } else {
            const RenamedOption& renamed = *FindRenamed(argument);
            out.insert(out.end(), {renamed.ffmpeg, renamed.kilobits ? Kilobits(value) : value});
        }
    }
    if (hasVolume) PlaceVolumeFilter(out, volumeAt, volumeFactor);
    PlaceBound(out, result.error);
    if (!stretch && result.error.empty()) PlacePictureFit(out, result.error);
    return result;
}
