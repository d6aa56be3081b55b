#include "tasks/task_list.h"

#include <gtest/gtest.h>

namespace {

// A stale index (an item removed while a handler still held its row) must
// change nothing and read as an empty item.
TEST(TaskList, IndicesOutsideTheListChangeNothing) {
    TaskList tasks;
    ConversionItem item;
    item.outputName = "a";
    tasks.Append(item);
    EXPECT_FALSE(tasks.Replace(1, ConversionItem{}));
    EXPECT_FALSE(tasks.Replace(-1, ConversionItem{}));
    EXPECT_FALSE(tasks.Remove(5));
    EXPECT_EQ(tasks.Copy(7).sourcePath, "");
    EXPECT_EQ(tasks.Count(), 1);
    EXPECT_EQ(tasks.Copy(0).outputName, "a");
}

}  // namespace
