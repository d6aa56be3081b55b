#include "run/run_progress.h"

#include <gtest/gtest.h>

namespace {

// What the window's title says: the item being converted counts among the
// "N of M", the time left shows once it can be told and only while some is
// left, in hours once it runs past one.
TEST(RunProgress, TheTitleCountsTheItemBeingConvertedAndTellsTheTimeLeftWhileThereIsSome) {
    RunProgress progress{5, 1, 1, 50.0, 1.0};
    EXPECT_EQ(progress.Title(), "Clipvane - 2 of 5, 30%") << "too soon to tell";
    progress.elapsedSeconds = 30.0;
    EXPECT_EQ(progress.Title(), "Clipvane - 2 of 5, 30%, 1:10 left");
    EXPECT_EQ((RunProgress{2, 0, 1, 10.0, 200.0}.Title()), "Clipvane - 1 of 2, 5%, 1:03:20 left");
    EXPECT_EQ((RunProgress{5, 5, 0, 0.0, 400.0}.Title()), "Clipvane - 5 of 5, 100%");
}

}  // namespace
