#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/surface.h"
#include "platform/wayland/shm_buffer.h"

namespace wayland {

class CompositorGlobals;

// A picture box's backing picture in buffers shared with the compositor, so that a frame is
// drawn once, straight where the compositor takes it from. A few buffers take turns: a change
// goes into one the compositor is not holding, the one with the picture when it is free, so
// with a compositor that lets go at once a single buffer serves. A clear waits for what
// follows it (a stretch over the whole picture makes it needless), and the picture comes into
// our own memory only when asked for.
class ShmSurface final : public graphics::Surface {
 public:
  // `globals` must outlive this.
  explicit ShmSurface(CompositorGlobals& globals) : globals_(globals) {}

  graphics::Size size() const override { return size_; }
  void resize(graphics::Size size, graphics::Pixel fill) override;
  void fill(graphics::Pixel value) override;
  void stretchFrom(const graphics::Rect& dest, graphics::PixelSource& source,
                   const graphics::Rect& sourceRect) override;
  const graphics::Bitmap& pixels() override;

  // The buffer with the picture, to be shown; null while the picture is empty or all one
  // colour (a clear with nothing drawn since), which needs no buffer to be shown.
  ShmBuffer* frame() const;
  // The colour of a picture that is all one colour; nothing otherwise.
  std::optional<graphics::Pixel> uniformColour() const { return pendingFill_; }

 private:
  // A buffer of the picture's size the compositor does not hold, for the next change.
  ShmBuffer& drawable();
  // `buffer` holds the picture from now on.
  void holds(ShmBuffer& buffer);

  CompositorGlobals& globals_;
  graphics::Size size_;
  // Of the picture's size, the one that held it longest ago first.
  std::vector<std::unique_ptr<ShmBuffer>> buffers_;
  ShmBuffer* current_ = nullptr;  // the picture, unless a clear is still to do
  // A clear not done yet: the whole picture is this colour, whatever the buffers hold.
  std::optional<graphics::Pixel> pendingFill_;
  graphics::Bitmap memory_;  // the picture read back, while it is current
  bool memoryCurrent_ = false;
  graphics::StretchScratch scratch_;
};

}  // namespace wayland
