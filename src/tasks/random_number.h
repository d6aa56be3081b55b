#pragma once

#include <ctime>

// The program's random numbers: R(low, high) reseeds the generator with the
// calendar time in seconds on every draw and scales its next value (0 to
// 32767) into the range as low + r * (high - low + 1) / 32767. So two draws
// within one second give the same number, and the top value can be high + 1.
// A range with high below low gives low.
int DrawNumber(int low, int high, std::time_t now);
int DrawNumber(int low, int high);
