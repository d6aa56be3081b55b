#pragma once

#include <string>

#include "tasks/conversion_item.h"

// "log.txt" in the current directory (the app folder during a run): the
// record of failed system calls. Entries are appended; it is never truncated.

// Appends one entry for the calling thread's last-error code.
void LogApiError(const char* apiName);

// Appends the text as it is, with line feeds written as CR LF.
void AppendLog(const char* text);

// Appends the line that says an item was not converted and why, followed by
// what the pass that failed printed, if anything.
void LogNotConverted(const ConversionItem& item, const std::string& output);
