#pragma once

#include <ctime>
#include <string>

#include "tasks/task_list.h"

// How a file added to the task list becomes an item. Two items never write the
// same output: the output stem gets "_2", "_3"... when another item has it
// (names compared as the task list compares them), and the
// PSP file number is drawn again until no other item has it.

// The file name of the path without its folder and extension. Empty when the
// path has no '.', or its last '.' lies in a folder name.
std::string SourceStem(const std::string& path);

// A RealMedia source ("rm" at or after the last '.', case-sensitive) is
// exported through the player before it is converted.
bool IsRealMediaPath(const std::string& path);

// The stem, or the stem with "_2", "_3"... when an item already uses it.
std::string UniqueOutputName(const TaskList& tasks, const std::string& stem);

// A five-digit number from two draws of DrawNumber (10000 to 20000 plus 0 to
// 1000) that no item uses yet. Draws reseed from the time in seconds, so a
// number taken in the same second is redrawn from the following seconds' seeds.
int UniqueFileNumber(const TaskList& tasks, std::time_t now);

// A duration the player could not tell (negative, not a number, infinite) is 0.
double UsableDuration(double seconds);

// The item for a newly added source: begin 0, end at the duration, ticked.
ConversionItem NewItem(const TaskList& tasks, const std::string& path, double duration, std::time_t now);
