#include "tasks/task_list.h"

#include <gtest/gtest.h>

namespace {

ConversionItem Named(const char* stem) {
    ConversionItem item;
    item.sourcePath = std::string("C:\\v\\") + stem + ".avi";
    item.outputName = stem;
    return item;
}

TEST(TaskList, CopiesAreValuesUntilWrittenBack) {
    TaskList tasks;
    tasks.Append(Named("a"));
    ConversionItem copy = tasks.Copy(0);
    copy.status = kStatusEncoding;
    EXPECT_EQ(tasks.Copy(0).status, kStatusNone);
    EXPECT_TRUE(tasks.Replace(0, copy));
    EXPECT_EQ(tasks.Copy(0).status, kStatusEncoding);
}

TEST(TaskList, StaleCopyWrittenBackOverwritesALaterWrite) {
    TaskList tasks;
    tasks.Append(Named("a"));
    ConversionItem stale = tasks.Copy(0);
    ConversionItem fresh = tasks.Copy(0);
    fresh.encodedTime = 12.0;
    tasks.Replace(0, fresh);
    stale.status = kStatusCanceled;
    tasks.Replace(0, stale);
    EXPECT_EQ(tasks.Copy(0).encodedTime, 0.0);
    EXPECT_EQ(tasks.Copy(0).status, kStatusCanceled);
}

TEST(TaskList, RemovingMovesLaterItemsDown) {
    TaskList tasks;
    tasks.Append(Named("a"));
    tasks.Append(Named("b"));
    tasks.Append(Named("a"));  // the same file twice: two independent records
    EXPECT_TRUE(tasks.Remove(0));
    ASSERT_EQ(tasks.Count(), 2);
    EXPECT_EQ(tasks.Copy(0).outputName, "b");
    EXPECT_EQ(tasks.Copy(1).outputName, "a");
    tasks.RemoveAll();
    EXPECT_EQ(tasks.Count(), 0);
}

TEST(TaskList, IndicesOutsideTheListChangeNothing) {
    TaskList tasks;
    tasks.Append(Named("a"));
    EXPECT_FALSE(tasks.Replace(1, Named("x")));
    EXPECT_FALSE(tasks.Replace(-1, Named("x")));
    EXPECT_FALSE(tasks.Remove(5));
    EXPECT_EQ(tasks.Copy(7).sourcePath, "");
    EXPECT_EQ(tasks.Count(), 1);
    EXPECT_EQ(tasks.Copy(0).outputName, "a");
}

}  // namespace
