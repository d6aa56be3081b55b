#include "skin/region_walk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

const std::uint32_t kGreen = 0x0000FF00;  // 0x00BBGGRR

// A picture of 32-bit pixels, top row first, with optional padding per row.
struct Picture {
    int width;
    int height;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;

    Picture(int w, int h, std::size_t padding = 0)
        : width(w), height(h), stride(static_cast<std::size_t>(w) * 4 + padding), bytes(stride * h, 0xEE) {}

    void Set(int x, int y, int red, int green, int blue) {
        std::uint8_t* pixel = &bytes[y * stride + x * 4];
        pixel[0] = static_cast<std::uint8_t>(blue);
        pixel[1] = static_cast<std::uint8_t>(green);
        pixel[2] = static_cast<std::uint8_t>(red);
    }
    void Fill(int red, int green, int blue) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) Set(x, y, red, green, blue);
        }
    }
    std::vector<PixelRun> Runs(std::uint32_t key, std::uint32_t tolerance) const {
        return OpaqueRuns(bytes.data(), width, height, stride, key, tolerance);
    }
};

// Which pixels the runs cover, as rows of '#' and '.', with a mark for any
// pixel covered twice or runs not one row high.
std::vector<std::string> Cover(const std::vector<PixelRun>& runs, int width, int height) {
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (const PixelRun& run : runs) {
        if (run.bottom != run.top + 1 || run.left >= run.right) return {"malformed run"};
        for (int x = run.left; x < run.right; ++x) {
            char& cell = rows.at(run.top).at(x);
            cell = cell == '.' ? '#' : '!';
        }
    }
    return rows;
}

TEST(RegionWalk, AllKeyGivesNothing) {
    Picture picture(5, 3);
    picture.Fill(0, 255, 0);
    EXPECT_TRUE(picture.Runs(kGreen, 0).empty());
}

TEST(RegionWalk, OddWidthShapeMatchesThePixelsTopRowFirst) {
    // Not symmetric top to bottom: a region cut upside down would not match.
    const std::vector<std::string> shape = {
        "#######", "##...##", "#.#.#.#", ".......", "..#....",
    };
    Picture picture(7, 5, 4);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            if (shape[y][x] == '#') {
                picture.Set(x, y, 200, 10 * x, 7 * y);
            } else {
                picture.Set(x, y, 0, 255, 0);
            }
        }
    }
    const std::vector<PixelRun> runs = picture.Runs(kGreen, 0);
    EXPECT_EQ(Cover(runs, 7, 5), shape);
    EXPECT_EQ(runs.size(), 8u) << "runs are maximal: one per stretch of window pixels";
    EXPECT_EQ(runs.front().top, 0);
}

TEST(RegionWalk, ToleranceWidensTheKeyPerChannelUpToFull) {
    Picture picture(6, 1);
    picture.Set(0, 0, 250, 255, 0);  // red at the key
    picture.Set(1, 0, 255, 255, 3);  // red and blue within tolerance, red clamped at 255
    picture.Set(2, 0, 249, 255, 0);  // red below the key
    picture.Set(3, 0, 250, 254, 0);  // green below the key: no tolerance on green
    picture.Set(4, 0, 250, 255, 4);  // blue beyond tolerance
    picture.Set(5, 0, 252, 255, 2);
    const std::uint32_t key = 250 | (255 << 8);
    const std::uint32_t tolerance = 10 | (0 << 8) | (3 << 16);
    EXPECT_EQ(Cover(picture.Runs(key, tolerance), 6, 1), std::vector<std::string>{"..###."});
}

}  // namespace
