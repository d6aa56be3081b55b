#pragma once

#include <string>

#include "tasks/task_list.h"

// The one place that deletes files. It never deletes the source video of any
// item in the task list, however the path is written. A file that another
// process still holds open (an encoder finishing after "q", a pass being
// terminated) is remembered and deleted once that process lets it go; any
// other failure (a read-only file, a folder of that name) is logged once.

// File names compared as Windows compares them: case-insensitive ordinal on
// UTF-16, so "Ärger" and "ärger" are one name.
bool SameFileName(const std::string& first, const std::string& second);

// True when a file or folder of that name is there.
bool FileOrFolderExists(const std::string& path);

// Creates an empty file under the name, failing when any file or folder is
// there: the one step that both checks a name and makes it the caller's own,
// so a program that writes the name afterwards writes over nothing of anyone
// else's. True when the file was created.
bool ReserveNewFile(const std::string& path);

// True when the path is a file that holds something.
bool HoldsContent(const std::string& path);

// True when the path names the source of an item: both are made full and
// long (short 8.3 names, "..", forward slashes resolved) and compared without
// regard to case, as Windows compares names.
bool IsSourceOfAnItem(const TaskList& tasks, const std::string& path);

// Deletes the file unless it is the source of an item. True when it is gone
// now; a missing file counts as gone.
bool DeleteWorkFile(const TaskList& tasks, const std::string& path);

// For the stop sequence: deletes the file now and once more when the stopped
// passes have ended, since a program that was just starting may still create it.
void DeleteStoppedFile(const TaskList& tasks, const std::string& path);

// Retries the deletions that found their file in use, and the stopped files,
// dispatching messages while it waits, for at most 15 seconds (a stopped
// program lets go of its files well within that); then forgets them, so that
// a later run's file of the same name is never deleted.
void FinishPendingDeletions(const TaskList& tasks);
