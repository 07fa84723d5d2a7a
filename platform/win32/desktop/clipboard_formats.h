#pragma once

#include <vector>

#include "platform/graphics/bitmap.h"

// The picture in the forms other programs paste.
namespace win32 {

// CF_DIB: a BITMAPINFOHEADER and 24-bit rows, bottom-up, each padded to four bytes. 24 bits
// rather than 32: in a 32-bit DIB some programs take the unused fourth byte for alpha and
// paste a transparent picture.
std::vector<unsigned char> packedDib(const graphics::Bitmap& picture);

// A PNG file, 8-bit RGB, what the registered clipboard format "PNG" holds.
std::vector<unsigned char> pngFile(const graphics::Bitmap& picture);

}  // namespace win32
