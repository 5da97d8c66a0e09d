// Tests that the target sprites, tiny tank and placeholder keep their sizes and a clean
// white see-through background.
#include <gtest/gtest.h>

#include <cstdint>

#include "assets/pictures.h"
#include "assets/range_table.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

bool IsNearWhite(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) >= 0xF0 && ((rgb >> 8) & 0xFF) >= 0xF0 && (rgb & 0xFF) >= 0xF0;
}

struct Sprite {
    const char* name;
    int width;
    int height;
    int range;  // 0 where the picture is no target
};

const Sprite kSprites[] = {
    {"b25", 38, 25, 800}, {"b30", 46, 30, 750},  {"b35", 54, 35, 650},
    {"b40", 62, 40, 600}, {"b45", 69, 45, 550},  {"b50", 77, 50, 500},
    {"b65", 96, 65, 400}, {"b75", 110, 75, 300}, {"b80", 118, 80, 200},
    {"man", 18, 12, 0},   {"man4", 35, 50, 0},   {"glyph_exercise_start", 17, 12, 0},
};

TEST(SpritePictures, HaveTheirDesignedSizes) {
    for (const Sprite& sprite : kSprites) {
        const raster::Bitmap picture = assets::LoadPicture(sprite.name);
        EXPECT_EQ(picture.width(), sprite.width) << sprite.name;
        EXPECT_EQ(picture.height(), sprite.height) << sprite.name;
    }
}

TEST(SpritePictures, TargetHeightsLeadToTheirTableRanges) {
    for (const Sprite& sprite : kSprites) {
        if (sprite.range != 0) {
            const raster::Bitmap picture = assets::LoadPicture(sprite.name);
            EXPECT_EQ(assets::RangeForHeight(picture.height()), sprite.range) << sprite.name;
        }
    }
}

TEST(SpritePictures, HaveAWhiteBackgroundReachingAllFourEdges) {
    for (const Sprite& sprite : kSprites) {
        const raster::Bitmap picture = assets::LoadPicture(sprite.name);
        const int right = picture.width() - 1;
        const int bottom = picture.height() - 1;
        // The first row and column are never drawn onto the scene, so they stay white.
        for (int x = 0; x <= right; ++x) {
            EXPECT_EQ(picture.pixel(x, 0), kWhite) << sprite.name << " top at " << x;
        }
        for (int y = 0; y <= bottom; ++y) {
            EXPECT_EQ(picture.pixel(0, y), kWhite) << sprite.name << " left at " << y;
        }
        int whiteOnRight = 0;
        int whiteOnBottom = 0;
        for (int y = 0; y <= bottom; ++y) {
            whiteOnRight += picture.pixel(right, y) == kWhite;
        }
        for (int x = 0; x <= right; ++x) {
            whiteOnBottom += picture.pixel(x, bottom) == kWhite;
        }
        EXPECT_GT(whiteOnRight, 0) << sprite.name;
        EXPECT_GT(whiteOnBottom, 0) << sprite.name;
    }
}

TEST(SpritePictures, HaveNoNearWhitePixelsThatWouldShowAsAHalo) {
    for (const Sprite& sprite : kSprites) {
        const raster::Bitmap picture = assets::LoadPicture(sprite.name);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const std::uint32_t rgb = picture.pixel(x, y);
                EXPECT_TRUE(rgb == kWhite || !IsNearWhite(rgb))
                    << sprite.name << " at " << x << "," << y << ": " << std::hex << rgb;
            }
        }
    }
}

TEST(SpritePictures, TanksFillMostOfTheirPictureAndReachItsRightSide) {
    for (const Sprite& sprite : kSprites) {
        if (std::string_view(sprite.name) == "man4") {
            continue;
        }
        const raster::Bitmap picture = assets::LoadPicture(sprite.name);
        int drawn = 0;
        int rightmost = 0;
        int lowest = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != kWhite) {
                    ++drawn;
                    rightmost = std::max(rightmost, x);
                    lowest = std::max(lowest, y);
                }
            }
        }
        // The gun points right, so the drawing runs almost to the right edge, and the
        // tracks stand near the bottom.
        EXPECT_GT(drawn * 10, picture.width() * picture.height() * 4) << sprite.name;
        EXPECT_GE(rightmost, picture.width() - 3) << sprite.name;
        EXPECT_GE(lowest, picture.height() - 3) << sprite.name;
    }
}

TEST(SpritePictures, AllTargetsShowTheSameTankColours) {
    // Olive paint dominates: more green than blue in the average of the drawn pixels.
    for (const Sprite& sprite : kSprites) {
        if (sprite.range == 0) {
            continue;
        }
        const raster::Bitmap picture = assets::LoadPicture(sprite.name);
        long long red = 0;
        long long green = 0;
        long long blue = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const std::uint32_t rgb = picture.pixel(x, y);
                if (rgb != kWhite) {
                    red += (rgb >> 16) & 0xFF;
                    green += (rgb >> 8) & 0xFF;
                    blue += rgb & 0xFF;
                }
            }
        }
        EXPECT_GT(green, blue * 3 / 2) << sprite.name;
        EXPECT_GT(red, blue) << sprite.name;
    }
}

TEST(LoadPicture, NamesTheMissingPictureWhenItFails) {
    try {
        assets::LoadPicture("no_such_picture");
        FAIL() << "a missing picture loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("no_such_picture"), std::string::npos);
    }
}

}  // namespace
