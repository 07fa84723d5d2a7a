#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "tools/masked_image.h"

// Encoders for the classic Windows image files, byte for byte: .ico and .cur with one image
// (BITMAPINFOHEADER of double height, palette, XOR bitmap, AND mask) and 24-bit .bmp.

using Palette = std::vector<std::uint32_t>;  // 0xRRGGBB

// One 16-colour image.
std::vector<std::uint8_t> encodeIcon(const MaskedImage& image, const Palette& palette);
// One monochrome image: index 0 black, 1 white.
std::vector<std::uint8_t> encodeCursor(const MaskedImage& image, int hotSpotX, int hotSpotY);
// Uncompressed, bottom-up, rows padded to four bytes.
std::vector<std::uint8_t> encodeBitmap(const QImage& image);
