#pragma once

// The eight profile files of the device families, relative to the app folder,
// and which of them a device tab (and, for 3GP, the 3GP type) reads.

constexpr int kProfileFileCount = 8;
constexpr int kIpodProfileFile = 0;
constexpr int kPspProfileFile = 1;
constexpr int kPmpProfileFile = 7;

// The file name of a file index, or nullptr for an index outside the table.
const char* ProfileFileName(int fileIndex);

// File index for a device tab: tabs 0 and 1 are files 0 and 1, tab 2 is file
// 2 + the 3GP type item, tabs 3 to 5 are files 5 to 7. -1 when the tab or the
// 3GP type has no file.
int ProfileFileForTab(int deviceTab, int threeGpType);
