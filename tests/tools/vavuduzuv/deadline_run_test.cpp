#include "vavuduzuv/deadline_run.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(RunWithin, ReturnsTheResultOfWorkThatFinishes) {
    EXPECT_EQ(RunWithin(seconds(30), [] { return 7; }), 7);
    EXPECT_THROW(RunWithin(seconds(30), []() -> int { throw std::runtime_error("refused"); }), std::runtime_error);
}

TEST(RunWithin, GivesUpOnWorkThatHangs) {
    // The work stays blocked until RunWithin has returned, or for five seconds
    // if it never does: a RunWithin that waited for the work would then come
    // back late with the work's result instead of nothing.
    std::promise<void> returned;
    std::future<void> hasReturned = returned.get_future();
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    std::thread releaser([&hasReturned, release] {
        hasReturned.wait_for(seconds(5));
        release->set_value();
    });
    const std::optional<int> result = RunWithin(milliseconds(50), [released] {
        released.wait();
        return 1;
    });
    returned.set_value();
    releaser.join();
    EXPECT_FALSE(result.has_value());
}

}  // namespace
