#pragma once

#include <optional>

#include "platform/graphics/surface.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_picture.h"

struct _XGC;  // NOLINT(bugprone-reserved-identifier): Xlib's graphics context

namespace x11 {

// A picture box's backing picture kept on the X server, in a pixmap of depth 24: the screen
// is stretched into it there (ScreenCompositor) and shown from it with one copy, so no frame
// of the live view passes through the program. Stretches the server cannot give exactly, and
// those from other sources, run the portable copy in memory and send the result. The picture
// comes into memory only when asked for, and a clear waits for what follows it (a stretch
// over the whole picture makes it needless). A magnifying stretch from the screen over the
// whole picture waits too: the screen pixels it takes are held on the server, and it is drawn
// where it is shown, so a frame costs the server one stretch and a small copy, not a stretch
// and a full-size copy.
class ServerSurface final : public graphics::Surface {
 public:
  explicit ServerSurface(ScreenCompositor& compositor);
  ~ServerSurface() override;
  ServerSurface(const ServerSurface&) = delete;
  ServerSurface& operator=(const ServerSurface&) = delete;

  graphics::Size size() const override { return size_; }
  void resize(graphics::Size size, graphics::Pixel fill) override;
  void fill(graphics::Pixel value) override;
  void stretchFrom(const graphics::Rect& dest, graphics::PixelSource& source,
                   const graphics::Rect& sourceRect) override;
  const graphics::Bitmap& pixels() override;

  // Shows the picture in `window` (of `windowSize`) from its top-left corner, `background`
  // beyond it and `overlay` over it, with requests on the compositor's connection, sent now.
  void present(unsigned long window, graphics::Size windowSize, graphics::Pixel background,
               const ServerPicture& overlay);

 private:
  void fillRect(unsigned long picture, const graphics::Rect& area, graphics::Pixel colour);
  // Before drawing: a clear still to do is done, unless the drawing covers the whole picture.
  void settlePendingFill(bool covered);
  // Holds the screen pixels of a stretch over the whole picture, when that is fewer pixels
  // than the picture's; false otherwise.
  bool deferStretch(const graphics::Rect& dest, const graphics::Rect& sourceRect,
                    const graphics::Rect& span, const graphics::Rect& visible);
  // Before anything reads or draws into the pixmap: a stretch still to do is done.
  void settleDeferredStretch();
  void bringIntoMemory();
  void forgetWindow();

  ScreenCompositor& compositor_;
  _XDisplay* display_;
  graphics::Size size_;
  ServerPicture picture_;  // empty while the size is
  // A clear not yet done: the whole picture is this colour, whatever the pixmap holds.
  std::optional<graphics::Pixel> pendingFill_;
  // A stretch from the screen not drawn into the pixmap yet, and where its pixels are held.
  struct DeferredStretch {
    graphics::Rect dest;
    graphics::Rect sourceRect;
    ScreenCompositor::HeldScreen held;
  };
  std::optional<DeferredStretch> deferred_;
  ServerPicture held_;  // screen pixels for stretches deferred; grows, never shrinks
  // The picture in memory, when it is there; no memory at all while the server alone draws.
  graphics::Bitmap memory_;
  bool memoryCurrent_ = false;
  graphics::StretchScratch scratch_;
  unsigned long window_ = 0;  // the window last shown in, and our picture of it
  unsigned long windowPicture_ = 0;
};

}  // namespace x11
