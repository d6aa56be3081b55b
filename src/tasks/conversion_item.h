#pragma once

#include <cstdint>
#include <string>

// One entry of the task list: a source video, the part of it to convert, the
// names of its outputs, and the live figures a conversion writes into it.
// It is a plain value: writers copy it out of the task list, change the copy
// and write the whole record back, never holding a reference across a wait.
struct ConversionItem {
    std::string sourcePath;
    std::string outputName;
    double beginTime = 0.0;
    double endTime = 0.0;
    std::string title;
    std::string workName;
    bool selected = true;
    std::int32_t fileNumber = 0;
    std::int32_t finished = 0;
    std::int32_t outputSizeKB = 0;
    double encodingSpeed = 0.0;
    double encodedTime = 0.0;
    std::int32_t status = 0;
    std::int32_t needsExport = 0;
    std::string exportPath;
    std::int32_t exportDone = 0;
    double exportPosition = 0.0;
    double exportPercent = 0.0;
    double exportRemaining = 0.0;
    // Why the item failed or cannot be converted, in a few words; empty otherwise.
    std::string failureReason;
    // The file name the item's final output was written under, chosen when the
    // item started (the output's own name, or the next free "_2", "_3"...);
    // empty until then.
    std::string writtenName;
};

// Phase codes kept in ConversionItem::status and shown by the Progress column.
enum ItemStatus : std::int32_t {
    kStatusNone = 0,
    kStatusEncoding = 1,
    kStatusExporting = 2,
    kStatusChanging = 3,
    kStatusMuxingPmp = 5,
    kStatusPlayerExport = 6,
    kStatusCanceled = 9,
    kStatusFailed = 10,                // a command did not fit and was not run
    kStatusWouldOverwriteSource = 11,  // refused before its first pass: nothing written
    kStatusUnreadable = 12,            // FFmpeg read neither picture nor sound in it: unticked, skipped by a run
    kStatusProbing = 13,               // its source is still being read: duration not known yet
    kStatusNotRead = 14,               // no read of its source ended in time: stays ticked, read again at Start
};
