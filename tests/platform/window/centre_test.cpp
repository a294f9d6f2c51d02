#include "platform/window/Centre.h"

#include <gtest/gtest.h>

using kiv::CentreWithin;
using kiv::Rect;

namespace {

// A 1920x1080 monitor whose taskbar takes the bottom 40 pixels.
constexpr Rect kWork{0, 0, 1920, 1040};

}  // namespace

TEST(CentreWithinTest, CentresOnTheOwnerOrTheWorkAreaAndKeepsTheSize) {
    // The template's place (0,0) counts for nothing; odd differences round towards the start.
    EXPECT_EQ(CentreWithin({0, 0, 300, 200}, kWork, kWork), (Rect{810, 420, 1110, 620}));
    EXPECT_EQ(CentreWithin({0, 0, 301, 201}, kWork, kWork), (Rect{809, 419, 1110, 620}));
    EXPECT_EQ(CentreWithin({0, 0, 100, 50}, {300, 200, 500, 400}, kWork),
              (Rect{350, 275, 450, 325}));
    // Larger than its owner: it reaches past the owner on both sides alike.
    EXPECT_EQ(CentreWithin({0, 0, 400, 500}, {300, 200, 500, 400}, kWork),
              (Rect{200, 50, 600, 550}));
}

TEST(CentreWithinTest, StaysInsideTheWorkAreaWhenTheOwnerIsNearAnEdge) {
    // Owner in the bottom-right corner, partly off the screen: pushed back left and up.
    EXPECT_EQ(CentreWithin({0, 0, 400, 500}, {1800, 1000, 2000, 1200}, kWork),
              (Rect{1520, 540, 1920, 1040}));
    // Owner beyond the top-left corner.
    EXPECT_EQ(CentreWithin({0, 0, 400, 500}, {-150, -100, 50, 100}, kWork), (Rect{0, 0, 400, 500}));
    // A second monitor left of the first, with its taskbar on top.
    constexpr Rect left{-1280, 40, 0, 1024};
    EXPECT_EQ(CentreWithin({0, 0, 400, 500}, {-1280, 0, -1180, 100}, left),
              (Rect{-1280, 40, -880, 540}));
    EXPECT_EQ(CentreWithin({0, 0, 400, 500}, {-100, 900, 0, 1000}, left),
              (Rect{-400, 524, 0, 1024}));
}

TEST(CentreWithinTest, AWindowLargerThanTheWorkAreaShowsItsTopLeft) {
    // Its caption and left edge stay on the screen, whichever side the owner is on.
    EXPECT_EQ(CentreWithin({0, 0, 2000, 1100}, kWork, kWork), (Rect{0, 0, 2000, 1100}));
    EXPECT_EQ(CentreWithin({0, 0, 2000, 300}, {1800, 900, 1920, 1000}, kWork),
              (Rect{0, 740, 2000, 1040}));
}
