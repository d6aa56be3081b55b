#pragma once

#include <chrono>
#include <functional>
#include <optional>

// Runs work that may block without end (a call into another program that has
// hung) on a thread of its own, and waits for it no longer than `limit`.
// Returns the work's result, or nothing when the limit passed first; the
// work then goes on in the background, so a caller that gives up should end
// the process rather than return into code the work might still touch.
std::optional<int> RunWithin(std::chrono::milliseconds limit, std::function<int()> work);
