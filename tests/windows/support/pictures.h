#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/graphics/bitmap.h"

namespace wine_test {

// A bitmap's pixels as Windows gives them out (GetDIBits), whatever its format.
graphics::Bitmap pixelsOf(HBITMAP bitmap);
// A BMP file as Windows reads it (LoadImage); nothing when it cannot.
std::optional<graphics::Bitmap> loadBmp(const std::wstring& path);
// A picture of random pixels, the same for the same seed.
graphics::Bitmap noise(int width, int height, unsigned seed);
// How many pixels differ; both of one size.
int differingPixels(const graphics::Bitmap& a, const graphics::Bitmap& b);

}  // namespace wine_test
