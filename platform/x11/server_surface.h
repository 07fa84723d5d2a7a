#pragma once

#include <optional>
#include <vector>

#include "platform/graphics/surface.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_picture.h"

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
//
// The server may refuse any of it (a view too large for its pixmaps, a window gone under us).
// Every request is watched (ErrorTrap); a refusal is reported once for each kind and the
// picture falls back to the portable copy, kept in memory and sent to the window as an image,
// until a resize gives the server another chance; a refusal about the window alone only makes
// the surface take the window afresh. Nothing waits for the server for that: the requests of a
// stretch from the screen are known carried out at the connection's next round trip (the next
// tick's pointer query), and if refused, the picture is made again in memory from the screen.
// Requests drawing from anything else are confirmed at once, while their source is there.
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
  // The picture is on the server unless the server refused it a pixmap or a drawing.
  bool onServer() const { return picture_.pixmap() != 0; }
  void stretchOnServer(const graphics::Rect& dest, graphics::PixelSource& source,
                       const graphics::Rect& sourceRect, const graphics::StretchPlan& plan);
  void fillRect(unsigned long picture, const graphics::Rect& area, graphics::Pixel colour);
  // Before drawing: a clear still to do is done, unless the drawing covers the whole picture.
  void settlePendingFill(bool covered);
  // Holds the screen pixels of a stretch over the whole picture, when that is fewer pixels
  // than the picture's; false otherwise.
  bool deferStretch(const graphics::Rect& dest, const graphics::Rect& sourceRect,
                    const graphics::Rect& span, const graphics::Rect& visible,
                    graphics::Size screen);
  // Before anything reads or draws into the pixmap: a stretch still to do is done.
  void settleDeferredStretch();
  void bringIntoMemory();
  // The refusals of the requests sent so far: looked at once the server is known to have
  // carried them out (`wait`: waiting for that if need be).
  void takeInRefusals(bool wait);
  // After a refusal: the picture made again in memory, where it stays until the next resize.
  void keepInMemory();
  // Shows the picture in memory: the portable way, with plain image requests.
  void presentFromMemory(const graphics::Rect& shown, graphics::Size windowSize,
                         graphics::Pixel background);
  bool takeWindow(unsigned long window);
  void forgetWindow();

  ScreenCompositor& compositor_;
  _XDisplay* display_;
  // The requests sent for the picture and its showing that the server is not known to have
  // carried out yet; it watches only while they are sent.
  ErrorTrap sent_;
  graphics::Size size_;
  ServerPicture picture_;  // empty while the size is, or while the picture is kept in memory
  // A clear not yet done: the whole picture is this colour, whatever the pixmap holds.
  std::optional<graphics::Pixel> pendingFill_;
  // A stretch from the screen not drawn into the pixmap yet, and where its pixels are held.
  struct DeferredStretch {
    graphics::Rect dest;
    graphics::Rect sourceRect;
    ScreenCompositor::HeldArea held;
  };
  std::optional<DeferredStretch> deferred_;
  ServerPicture held_;  // screen pixels for stretches deferred; grows, never shrinks
  // How to make the picture again from what the server last did without refusal: its clear
  // (none: the pixmap as it was then) and the stretches from the screen since.
  struct ScreenStretch {
    graphics::Rect dest;
    graphics::Rect sourceRect;
  };
  std::optional<graphics::Pixel> redoBase_;
  std::vector<ScreenStretch> redo_;
  // The picture in memory, when it is there; its memory is kept for the next time.
  graphics::Bitmap memory_;
  bool memoryCurrent_ = true;  // the empty picture is
  graphics::StretchScratch scratch_;
  unsigned long window_ = 0;  // the window last shown in: its depth, our picture of it, a GC
  int windowDepth_ = 0;
  unsigned long windowPicture_ = 0;
  _XGC* windowGc_ = nullptr;
};

}  // namespace x11
