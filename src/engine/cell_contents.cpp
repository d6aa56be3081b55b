#include "engine/cell_contents.h"

#include <cmath>
#include <cstdio>

#include "engine/command_text.h"
#include "engine/time_text.h"

namespace {

constexpr std::uint32_t kBarColor = CellColor(154, 30, 28);
constexpr double kBytesPerKilobyteInMegabytes = 0.0009765625;

std::string SourceFileName(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The fixed texts of the phases without figures; nothing for the others.
const char* PhaseText(int status) {
    switch (status) {
        case kStatusExporting:
            return "Exporting";
        case kStatusChanging:
            return "Changeing";
        case kStatusMuxingPmp:
            return "Muxing to PMP files";
        case kStatusCanceled:
            return " Canceled ";
        case kStatusUnreadable:
            return " Not a video this program can read ";
        case kStatusProbing:
            return " Reading the file ";
        case kStatusNotRead:
            return " Not read yet: FFmpeg did not answer in time ";
        default:
            return nullptr;
    }
}

// A failed item says why in a few words; the log holds the rest.
std::string FailedText(const ConversionItem& item) {
    return item.failureReason.empty() ? " Failed " : " Failed: " + item.failureReason + " ";
}

ProgressCell EncodingCell(const ConversionItem& item, int percent) {
    ProgressCell cell;
    if (!(item.encodedTime > 0.0) || item.outputSizeKB <= 0) return cell;
    const long long done = WholeSeconds(item.encodedTime);
    char text[160];
    std::snprintf(text, sizeof text, "%s    %.02fMB    %.02fFrames/s      %%%d ", FormatClock(done).c_str(),
                  item.outputSizeKB * kBytesPerKilobyteInMegabytes, item.encodingSpeed, percent);
    cell.text = text;
    cell.hasBar = true;
    cell.position = percent;
    return cell;
}

ProgressCell PlayerExportCell(const ConversionItem& item) {
    ProgressCell cell;
    const long long remaining = WholeSeconds((item.endTime - item.beginTime) * 0.5 +
                                             (std::isfinite(item.exportRemaining) ? item.exportRemaining : 0.0));
    char text[160];
    std::snprintf(text, sizeof text, " %.2f%%    Remain Time:%s", item.exportPercent * 0.5,
                  FormatClock(remaining).c_str());
    cell.text = text;
    cell.hasBar = true;
    cell.position = static_cast<int>(WholeSeconds(item.exportPercent * 0.5));
    return cell;
}

}  // namespace

int EncodingPercent(const ConversionItem& item) {
    if (!(item.endTime > item.beginTime)) return 0;
    const long long percent = WholeSeconds(item.encodedTime * 100.0 / (item.endTime - item.beginTime) + 0.5);
    return percent >= 99 ? 100 : static_cast<int>(percent);
}

ProgressCell ProgressFor(const ConversionItem& item) {
    ProgressCell cell;
    if (item.finished == 1) {
        cell.text = " Finished ";
        return cell;
    }
    const bool exported = item.needsExport == 1;
    if (item.status == kStatusEncoding) {
        const int percent = EncodingPercent(item);
        return EncodingCell(item, exported ? percent / 2 + 50 : percent);
    }
    if (item.status == kStatusPlayerExport && exported) return PlayerExportCell(item);
    if (item.status == kStatusFailed || item.status == kStatusWouldOverwriteSource) {
        cell.text = FailedText(item);
        return cell;
    }
    if (const char* text = PhaseText(item.status)) cell.text = text;
    return cell;
}

std::string OutputCellName(const ConversionItem& item, const OutputChoice& choice) {
    if (!item.writtenName.empty()) return item.writtenName;
    return OutputFileName(item, choice.deviceTab, choice.profileEntry, choice.threeGpType);
}

CellContents CellFor(const ConversionItem& item, int column, const OutputChoice& choice) {
    CellContents cell;
    switch (column) {
        case kColumnCheck:
            cell.hasCheckBox = true;
            cell.checked = item.selected;
            break;
        case kColumnSource:
            cell.text = SourceFileName(item.sourcePath);
            break;
        case kColumnBegin:
            cell.text = FormatClock(WholeSeconds(item.beginTime));
            break;
        case kColumnEnd:
            cell.text = FormatClock(WholeSeconds(item.endTime));
            break;
        case kColumnOutput:
            cell.text = OutputCellName(item, choice);
            break;
        case kColumnProgress: {
            const ProgressCell progress = ProgressFor(item);
            cell.text = progress.text;
            if (progress.hasBar) {
                cell.progressMaximum = 100;
                cell.progressPosition = progress.position;
                cell.progressColor = kBarColor;
            }
            break;
        }
        default:
            break;
    }
    return cell;
}
