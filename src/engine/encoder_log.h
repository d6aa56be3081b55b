#pragma once

// "log.txt" in the current directory (the app folder during a run): the
// record of failed system calls. Entries are appended; it is never truncated.

// Appends one entry for the calling thread's last-error code.
void LogApiError(const char* apiName);

// Appends the text as it is, with line feeds written as CR LF.
void AppendLog(const char* text);
