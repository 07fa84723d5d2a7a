#include "platform/x11/plain_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

class PlainCapture final : public ScreenCapture {
 public:
  explicit PlainCapture(Connection& connection) : connection_(connection) {}
  ~PlainCapture() override { forgetImage(); }
  PlainCapture(const PlainCapture&) = delete;
  PlainCapture& operator=(const PlainCapture&) = delete;

  CapturedImage read(unsigned long drawable, const graphics::Rect& area) override {
    forgetImage();
    ErrorTrap trap(connection_);
    image_ = XGetImage(connection_.display(), drawable, area.left, area.top,
                       static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                       AllPlanes, ZPixmap);
    if (image_ == nullptr) {
      throw readRefused(area);
    }
    return {image_->data, image_->bytes_per_line, image_->width, image_->height};
  }

 private:
  void forgetImage() {
    if (image_ != nullptr) XDestroyImage(image_);
    image_ = nullptr;
  }

  Connection& connection_;
  XImage* image_ = nullptr;  // kept until the next read: the caller is still looking at it
};

}  // namespace

std::unique_ptr<ScreenCapture> openPlainCapture(Connection& connection) {
  return std::make_unique<PlainCapture>(connection);
}

}  // namespace x11
