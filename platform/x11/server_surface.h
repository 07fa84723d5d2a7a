#pragma once

#include <optional>

#include "platform/graphics/surface.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_image.h"

struct _XGC;  // NOLINT(bugprone-reserved-identifier): Xlib's graphics context

namespace x11 {

// A picture box's backing picture kept on the X server, in a pixmap of depth 24: the screen
// is stretched into it there (ScreenCompositor) and shown from it with one copy, so no frame
// of the live view passes through the program. Stretches the server cannot give exactly, and
// those from other sources, run the portable copy in memory and send the result. The picture
// comes into memory only when asked for, and a clear waits for what follows it (a stretch
// over the whole picture makes it needless).
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
               const ServerImage* overlay);

 private:
  void fillRect(unsigned long picture, const graphics::Rect& area, graphics::Pixel colour);
  // Before drawing: a clear still to do is done, unless the drawing covers the whole picture.
  void settlePendingFill(bool covered);
  void bringIntoMemory();
  void send(const graphics::Rect& area);
  void forgetWindow();

  ScreenCompositor& compositor_;
  _XDisplay* display_;
  graphics::Size size_;
  unsigned long pixmap_ = 0;  // none while the size is empty
  unsigned long picture_ = 0;
  _XGC* gc_ = nullptr;  // for sending to pixmaps of depth 24
  // A clear not yet done: the whole picture is this colour, whatever the pixmap holds.
  std::optional<graphics::Pixel> pendingFill_;
  // The picture in memory, when it is there; no memory at all while the server alone draws.
  graphics::Bitmap memory_;
  bool memoryCurrent_ = false;
  graphics::StretchScratch scratch_;
  unsigned long window_ = 0;  // the window last shown in, and our picture of it
  unsigned long windowPicture_ = 0;
};

}  // namespace x11
