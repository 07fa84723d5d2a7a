#pragma once

#include <QImage>

#include "tools/masked_image.h"
#include "tools/windows_image_files.h"

// The window's three pictures.

struct IconArt {
  MaskedImage image;
  Palette palette;
};
// A hand holding a grey video camera, seen from the side.
IconArt cameraIcon();

struct CursorArt {
  MaskedImage image;
  int hotSpotX;
  int hotSpotY;
};
// A white hand outlined in black, the index finger pointing up; its tip is the hot spot.
CursorArt handCursor();

// The about card: the title, the supported systems, the rights notice and the completion date,
// black on yellow, laid out to read inside the ellipse the card is shown cut to.
QImage aboutCard();
