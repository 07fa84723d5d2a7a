#pragma once

#include <cstddef>

#include "platform/graphics/bitmap.h"

struct wl_buffer;
struct wl_shm;

namespace wayland {

// One picture in memory shared with the compositor, in our own pixel layout (XRGB8888). Busy
// from the commit that shows it until the compositor lets it go: only a free one may be drawn
// into.
class ShmBuffer {
 public:
  // Throws forms::RuntimeError when the memory cannot be had.
  ShmBuffer(wl_shm* shm, graphics::Size size);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  graphics::Size size() const { return rows_.size; }
  graphics::PixelRows rows() const { return rows_; }
  wl_buffer* buffer() const { return buffer_; }
  bool busy() const { return busy_; }
  // Attached and committed: the compositor has it now.
  void handedOver() { busy_ = true; }

 private:
  static void released(void* data, wl_buffer* buffer);

  graphics::PixelRows rows_;
  std::size_t bytes_ = 0;
  wl_buffer* buffer_ = nullptr;
  bool busy_ = false;
};

}  // namespace wayland
