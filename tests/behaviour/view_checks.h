#pragma once

#include <gtest/gtest.h>

#include "platform/graphics/bitmap.h"

// Whether `view` shows `screen` from (originX, originY) magnified num/den, nearest neighbour,
// over the part of the view that width × height covers; the rest must be `background`.
inline ::testing::AssertionResult showsScreen(const graphics::Bitmap& view, const graphics::Bitmap& screen,
                                              int originX, int originY, int num, int den,
                                              int coveredWidth, int coveredHeight,
                                              graphics::Pixel background) {
  for (int y = 0; y < view.height(); ++y) {
    for (int x = 0; x < view.width(); ++x) {
      graphics::Pixel expected = background;
      if (x < coveredWidth && y < coveredHeight) {
        const int sx = originX + x * den / num;
        const int sy = originY + y * den / num;
        const bool onScreen = sx >= 0 && sy >= 0 && sx < screen.width() && sy < screen.height();
        expected = onScreen ? screen.at(sx, sy) : graphics::kBlack;
      }
      if (view.at(x, y) != expected) {
        return ::testing::AssertionFailure()
               << "view pixel (" << x << ", " << y << ") is " << std::hex << view.at(x, y)
               << ", expected " << expected;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

inline bool allPixels(const graphics::Bitmap& view, graphics::Pixel value) {
  for (int y = 0; y < view.height(); ++y) {
    for (int x = 0; x < view.width(); ++x) {
      if (view.at(x, y) != value) return false;
    }
  }
  return true;
}
