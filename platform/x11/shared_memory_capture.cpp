#include "platform/x11/shared_memory_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/forms/runtime_error.h"
#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

std::size_t roundUpToPages(std::size_t bytes) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

class SharedMemoryCapture final : public ScreenCapture {
 public:
  explicit SharedMemoryCapture(Connection& connection)
      : connection_(connection), display_(connection.display()) {
    const int screen = DefaultScreen(display_);
    // One image header serves reads of every size: read() sets the size the request takes.
    image_ = XShmCreateImage(display_, DefaultVisual(display_, screen),
                             DefaultDepth(display_, screen), ZPixmap, nullptr, &segment_, 1, 1);
  }

  ~SharedMemoryCapture() override {
    detach();
    if (image_ != nullptr) XDestroyImage(image_);  // data is null: the segment is not its to free
  }

  SharedMemoryCapture(const SharedMemoryCapture&) = delete;
  SharedMemoryCapture& operator=(const SharedMemoryCapture&) = delete;

  bool reserve(std::size_t bytes) {
    if (image_ == nullptr) return false;
    if (bytes <= capacity_) return true;
    // A new segment costs milliseconds; doubling spares a zoom-out from paying that at every
    // step, and no read ever needs more than the whole screen, at the size it has now.
    const int screen = DefaultScreen(display_);
    const std::size_t screenBytes =
        imageBytes(DisplayWidth(display_, screen), DisplayHeight(display_, screen));
    const std::size_t grown = std::max(bytes, std::min(capacity_ * 2, screenBytes));
    detach();
    return attach(roundUpToPages(grown));
  }

  CapturedImage read(unsigned long drawable, const graphics::Rect& area) override {
    const std::size_t bytes = imageBytes(area.width, area.height);
    if (!reserve(bytes)) {
      throw forms::RuntimeError::screenUnreadable(
          "読み取りに使う共有メモリ (" + std::to_string(bytes) + " バイト) を用意できません。");
    }
    image_->width = area.width;
    image_->height = area.height;
    image_->bytes_per_line = lineBytes(area.width);
    ErrorTrap trap(connection_);
    if (!XShmGetImage(display_, drawable, image_, area.left, area.top, AllPlanes)) {
      throw readRefused(area);
    }
    return {image_->data, image_->bytes_per_line, area.width, area.height};
  }

 private:
  // Rows as the server writes them: each padded to its scanline unit.
  int lineBytes(int width) const {
    const int pad = image_->bitmap_pad;
    return (width * image_->bits_per_pixel + pad - 1) / pad * pad / 8;
  }
  std::size_t imageBytes(int width, int height) const {
    return static_cast<std::size_t>(lineBytes(width)) * static_cast<std::size_t>(height);
  }

  bool attach(std::size_t bytes) {
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return false;
    void* address = shmat(id, nullptr, 0);
    if (reinterpret_cast<std::intptr_t>(address) == -1) {  // shmat's (void*)-1
      shmctl(id, IPC_RMID, nullptr);
      return false;
    }
    segment_.shmid = id;
    segment_.shmaddr = static_cast<char*>(address);
    segment_.readOnly = False;
    bool attached = false;
    {
      ErrorTrap trap(connection_);
      attached = XShmAttach(display_, &segment_) && !trap.failed();
    }
    // With the server attached (or refused), the segment can be marked for removal: the system
    // frees it once both sides let go, even if we crash.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
      shmdt(address);
      return false;
    }
    image_->data = segment_.shmaddr;
    capacity_ = bytes;
    return true;
  }

  void detach() {
    if (capacity_ == 0) return;
    {
      ErrorTrap trap(connection_);  // its closing sync makes the server let go before we do
      XShmDetach(display_, &segment_);
    }
    shmdt(segment_.shmaddr);
    image_->data = nullptr;
    capacity_ = 0;
  }

  Connection& connection_;
  Display* display_;
  XShmSegmentInfo segment_{};  // the image header points at it, so it stays put
  XImage* image_ = nullptr;
  std::size_t capacity_ = 0;
};

}  // namespace

std::unique_ptr<ScreenCapture> openSharedMemoryCapture(Connection& connection) {
  if (!XShmQueryExtension(connection.display())) return nullptr;
  auto capture = std::make_unique<SharedMemoryCapture>(connection);
  // Try a first small segment now: a server that cannot share our memory refuses it here.
  if (!capture->reserve(1)) return nullptr;
  return capture;
}

}  // namespace x11
