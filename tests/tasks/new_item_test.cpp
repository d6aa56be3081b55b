#include "tasks/new_item.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Whether a source is exported first is the window's RealMedia case.
TEST(NewItem, StemsFollowTheLastDot) {
    EXPECT_EQ(SourceStem("C:\\videos\\holiday.clip.avi"), "holiday.clip");
    EXPECT_EQ(SourceStem("C:\\my.videos\\noextension"), "") << "the last dot lies in a folder name";
    EXPECT_EQ(SourceStem("bare.avi"), "bare");
}

// A duration the player could not tell becomes zero.
TEST(NewItem, TwoItemsNeverShareAnOutputNameOrFileNumberAndAnUntoldDurationIsZero) {
    TaskList tasks;
    // The same file three times, and a same-stem file from elsewhere in other
    // case, all within one second: every draw would give the same number.
    for (const char* path : {"C:\\a\\Clip.avi", "C:\\a\\Clip.avi", "D:\\b\\clip.mpg", "C:\\a\\Clip.avi"}) {
        tasks.Append(NewItem(tasks, path, 10.0, 1700000000));
    }
    // That no two names, nor PSP names (the file numbers), collide as Windows
    // compares them is the task_names fuzz harness's.
    EXPECT_EQ(tasks.Copy(2).outputName, "clip_3");
    EXPECT_EQ(tasks.Copy(2).title, "clip") << "title and work name keep the stem";
    EXPECT_EQ(tasks.Copy(2).workName, "clip");
    for (int i = 0; i < tasks.Count(); ++i) {
        const int number = tasks.Copy(i).fileNumber;
        EXPECT_TRUE(number >= 10000 && number <= 99999) << number;
    }

    for (const double odd : {-1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(NewItem(tasks, "C:\\a.avi", odd, 0).endTime, 0.0);
    }
}

// The output folder's length limit is the task_names fuzz harness's, over seeds at the limit.

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
