#pragma once

#include <QCursor>
#include <QImage>

#include "platform/forms/peers.h"

namespace qtplatform {

// A .bmp, .ico or .cur file as an image; a null image (with a warning) if it cannot be read.
QImage decodeImage(forms::ImageFile file);

// A .cur file as a pointer with the file's hot spot; the default arrow if it cannot be read.
QCursor decodeCursor(forms::ImageFile file);

}  // namespace qtplatform
