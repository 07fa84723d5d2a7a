#pragma once

#include <optional>

#include "platform/graphics/held_source.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_picture.h"

namespace x11 {

// Part of the screen held on the X server, in a picture of ours: a still capture holds what it
// copies before its window grows, and the server stretches it into the view from there, so the
// pixels never come into the program on their way. Where the server refuses the picture, the
// part is held in memory instead.
class HeldScreen final : public graphics::HeldSource {
 public:
  // `compositor` and `screen` must outlive this object.
  HeldScreen(ScreenCompositor& compositor, ScreenReader& screen);

  void hold(const graphics::Rect& area) override;
  graphics::Rect bounds() const override { return screen_.bounds(); }
  graphics::PixelView read(const graphics::Rect& area) override;

  // Where the server holds every pixel of `span` (on the screen), for a stretch from there;
  // none when the part held does not cover it, or was held at another screen size.
  const ScreenCompositor::HeldArea* onServer(const graphics::Rect& span) const;

 private:
  ScreenCompositor& compositor_;
  ScreenReader& screen_;
  ServerPicture picture_;                           // grows, never shrinks
  std::optional<ScreenCompositor::HeldArea> held_;  // none: held in memory
  graphics::MemoryHeldSource inMemory_;
  graphics::Bitmap readBack_;  // what a read took from the server, kept for the next read
};

}  // namespace x11
