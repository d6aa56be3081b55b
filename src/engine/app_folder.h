#pragma once

#include <string>

// The folder of the program's executable, with its trailing backslash. The
// profile files, the encoders and "log.txt" live in its "app" folder.
extern std::string programFolder;

// Records programFolder from the executable's full path and makes it the
// current directory.
void RecordProgramFolder();

// Makes the app folder the current directory. Every profile read and every
// start of an external program does this first; it is never undone.
bool EnterAppFolder();
