#pragma once

#include <memory>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/held_source.h"
#include "platform/x11/connection.h"
#include "platform/x11/render_stretch.h"
#include "platform/x11/screen_reader.h"

namespace x11 {

class HeldScreen;

// The stretching copy from the screen done by the X server itself (RENDER), into pictures
// that stay on the server: the screen's pixels never pass through the program. Every request
// goes on the screen reader's connection, so the server runs a frame's requests in order.
class ScreenCompositor {
 public:
  // Nothing when the server lacks RENDER 0.6 (transforms and filters) or the screen's pixels
  // are not 0x00RRGGBB as they stand; the portable copy serves then.
  static std::unique_ptr<ScreenCompositor> open(Connection& connection, ScreenReader& screen);
  ~ScreenCompositor();
  ScreenCompositor(const ScreenCompositor&) = delete;
  ScreenCompositor& operator=(const ScreenCompositor&) = delete;

  Connection& connection() const { return connection_; }
  ScreenReader& screen() const { return screen_; }
  // The screen with a part held on the server (see HeldScreen), a source the server stretches
  // from too.
  graphics::HeldSource& heldScreen();

  // Whether the server can make the portable stretching copy of `sourceRect` of `source` onto
  // `dest`, clipped to `targetSize`: `source` is the screen or the held screen, and the server
  // gives exactly the portable copy's pixels for this stretch (asked once per ratio and screen
  // size).
  bool canStretch(graphics::Size targetSize, const graphics::Rect& dest,
                  const graphics::PixelSource& source, const graphics::Rect& sourceRect);
  // Part of the screen copied into a picture of ours (depth 24, the nearest filter), at its
  // top-left corner, with the screen's size it was copied at.
  struct HeldArea {
    unsigned long picture = 0;
    graphics::Rect area;
    graphics::Size screen;
  };
  // Copies `area` (on the screen, of `screen` size just now) into `picture`.
  HeldArea hold(unsigned long picture, const graphics::Rect& area, graphics::Size screen);
  // Where the server holds the pixels of `span` of `source` for a stretch: in a picture of ours
  // when `source` is the held screen and holds them all, else nothing (the screen as it is).
  const HeldArea* heldFor(const graphics::PixelSource& source, const graphics::Rect& span) const;
  // Makes that copy, the part `visible` of the destination clipped to its target, into a
  // picture of depth 24: from the screen as it is now, or from `held` when given, which must
  // hold every pixel on the screen that `visible` takes.
  void stretch(unsigned long targetPicture, const graphics::Rect& visible,
               const graphics::Rect& dest, const graphics::Rect& sourceRect,
               const HeldArea* held = nullptr);

 private:
  struct Verdict {
    StretchRatio x;
    StretchRatio y;
    bool exact;
  };

  ScreenCompositor(Connection& connection, ScreenReader& screen);
  bool exact(StretchRatio x, StretchRatio y, graphics::Size screen);

  Connection& connection_;
  ScreenReader& screen_;
  unsigned long root_;  // the root window's picture, with what lies on it
  graphics::Size checkedScreen_;
  std::vector<Verdict> verdicts_;  // for checkedScreen_
  std::unique_ptr<HeldScreen> heldScreen_;
};

}  // namespace x11
