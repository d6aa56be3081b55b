#pragma once

#include <string>

// cvenc's standard output carries the rewritten progress lines, its standard
// error everything else. Each text goes out in one write, so a reader of the
// pipe never sees a line cut by another writer. A reader that has gone away
// (the converter closes its end before it sends 'q') is not an error: cvenc
// must still pass the 'q' on and wait for FFmpeg. What goes to standard error
// never holds a "size=" or "time=" that the converter could read as progress.
void WriteToOutput(const std::string& text);
void WriteToError(const std::string& text);

// "cvenc: " and the text, as one line on standard error.
void ReportError(const std::string& text);
