#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/pixel_source.h"
#include "platform/x11/connection.h"
#include "platform/x11/screen_format.h"

namespace x11 {

class ScreenCapture;

// A pixel of a picture of depth 24 on the server, without the byte that depth leaves out.
constexpr graphics::Pixel rgbOnly(graphics::Pixel pixel) { return pixel & 0xFFFFFFU; }

// The screen as a pixel source: the root window's pixels, 0x00RRGGBB. Any TrueColor screen can
// be read (see ScreenFormat). Under XWayland, which shows X programs a black screen, on a
// screen of colour indices, and whenever the server refuses a read, read() throws
// forms::RuntimeError saying why: a failed read never passes for a picture.
// The bounds are the screen's size at every moment: the server announces each change
// (RandR) on our connection, and bounds() and read() take in the announcements already
// received without waiting on the server, so a live view reading 20 times a second pays
// nothing for it.
class ScreenReader final : public graphics::PixelSource {
 public:
  enum class Transfer {
    SharedMemoryWhenOffered,  // MIT-SHM if the server offers it, plain reads otherwise
    PlainReads,               // XGetImage only
  };

  explicit ScreenReader(Connection& connection,
                        Transfer transfer = Transfer::SharedMemoryWhenOffered);
  ~ScreenReader() override;
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;

  graphics::Rect bounds() const override;
  // Never asks the server for pixels off the screen: an area reaching off it throws too.
  graphics::PixelView read(const graphics::Rect& area) override;

  // Reads `area` of a pixmap of ours that has the screen's depth, the way the screen is read, into
  // the same memory: the view stays valid until the next read. With depth 24 the top byte of each
  // pixel is whatever the server keeps there. Throws forms::RuntimeError when the server refuses.
  graphics::PixelView readPixmap(unsigned long pixmap, const graphics::Rect& area);

  bool usesSharedMemory() const { return usesSharedMemory_; }
  // The screen can be read and its pixels are 0x00RRGGBB as they stand (depth 24): any other
  // way of taking them from the server (RENDER) gives the same colours.
  bool readsPlainRgb() const {
    return unreadableReason_.empty() && format_.layout() == ScreenFormat::Layout::Rgb32;
  }

 private:
  void followScreenChanges() const;
  void checkOnScreen(const graphics::Rect& area) const;

  Connection& connection_;
  ScreenFormat format_;
  std::string unreadableReason_;  // empty: the screen can be read
  int screenChangeEvent_ = -1;    // RandR's event type; -1: a server without RandR
  mutable graphics::Rect bounds_;
  std::unique_ptr<ScreenCapture> capture_;
  bool usesSharedMemory_ = false;
  std::vector<graphics::Pixel> converted_;  // the last read, for screens of another format
};

}  // namespace x11
