#pragma once

#include <QCursor>
#include <QImage>
#include <string>

#include "platform/forms/peers.h"
#include "platform/graphics/bitmap.h"

namespace qtplatform {

// A .bmp, .ico or .cur file as an image; a null image (with a warning) if it cannot be read.
QImage decodeImage(forms::ImageFile file);

// A .cur file as a pointer with the file's hot spot; the default arrow if it cannot be read.
QCursor decodeCursor(forms::ImageFile file);

// The picture's own pixels seen as an image, valid while the picture is and stays that size.
QImage imageView(const graphics::Bitmap& picture);

// The picture as a file of `format` ("PNG", "BMP"); empty when it cannot be written so.
std::string encodePicture(const graphics::Bitmap& picture, const char* format);

}  // namespace qtplatform
