#pragma once

#include <memory>

#include "platform/graphics/pixel_source.h"
#include "platform/x11/connection.h"

namespace x11 {

class ScreenCapture;

// The screen as a pixel source: the root window's pixels, 0x00RRGGBB. The screen must be
// TrueColor with 8-bit red, green and blue in 32-bit pixels (depth 24, what X servers use
// today, or 32); on any other every read fails, and the copies leave their destination as it
// was. The size is the one at start: a later change of screen size makes reads near the old
// edges fail, nothing worse.
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

  graphics::Rect bounds() const override { return bounds_; }
  // Never asks the server for pixels off the screen: the request would fail.
  graphics::PixelView read(const graphics::Rect& area) override;

  bool usesSharedMemory() const { return usesSharedMemory_; }
  bool readable() const { return capture_ != nullptr; }

 private:
  graphics::Rect bounds_;
  std::unique_ptr<ScreenCapture> capture_;
  bool usesSharedMemory_ = false;
  bool clearsTopByte_ = false;
};

}  // namespace x11
