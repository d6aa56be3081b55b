#include "vavuduzuv/deadline_run.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>

namespace {

using std::chrono::seconds;

// A call into iTunes that never returns must not hang the converter, which
// waits for VavuDuzuv without a limit. The stuck work here is released after
// RunWithin returns, or after five seconds: a RunWithin that waited for it
// would come back late with its result.
TEST(RunWithin, PassesOnWhatFinishesAndGivesUpOnWhatHangs) {
    EXPECT_EQ(RunWithin(seconds(30), [] { return 7; }), 7);
    EXPECT_THROW(RunWithin(seconds(30), []() -> int { throw std::runtime_error("refused"); }), std::runtime_error);

    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    const std::optional<int> result = RunWithin(std::chrono::milliseconds(50), [released] {
        released.wait_for(seconds(5));
        return 1;
    });
    release.set_value();
    EXPECT_FALSE(result.has_value());
}

}  // namespace
