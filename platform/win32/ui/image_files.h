#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/win32/handles.h"

// The classic image files (.ico, .cur, .bmp) as Windows objects. A file that cannot be read
// gives nothing, and a warning on stderr.
namespace win32 {

// The first image of an .ico file at `size` pixels square (scaled if it has another size).
UniqueIcon iconFromFile(forms::ImageFile file, int size);

// The first image of a .cur file, at its own size, with the file's hot spot.
UniqueCursor cursorFromFile(forms::ImageFile file);

// A picture shown at a picture box's top-left corner: a .bmp at its own size, or an .ico with
// its transparency over the box's background.
class Picture {
 public:
  static std::optional<Picture> fromFile(forms::ImageFile file);

  void draw(HDC target) const;

 private:
  std::vector<std::byte> bitmap_;  // a .bmp file without its file header: info, palette, bits
  std::size_t bitsOffset_ = 0;
  UniqueIcon icon_;
  SIZE size_{};
};

}  // namespace win32
