#include "platform/x11/server_image.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

namespace x11 {

ServerImage::ServerImage(const Connection& connection, const std::uint32_t* argb,
                         graphics::Size size, std::ptrdiff_t stride)
    : display_(connection.display()), size_(size) {
  constexpr int kDepth = 32;
  const auto width = static_cast<unsigned>(size.width);
  const auto height = static_cast<unsigned>(size.height);
  pixmap_ = XCreatePixmap(display_, connection.rootWindow(), width, height, kDepth);
  XImage* image =
      XCreateImage(display_, nullptr, kDepth, ZPixmap, 0,
                   reinterpret_cast<char*>(const_cast<std::uint32_t*>(argb)), width, height, kDepth,
                   static_cast<int>(stride * static_cast<std::ptrdiff_t>(sizeof(*argb))));
  const GC gc = XCreateGC(display_, pixmap_, 0, nullptr);
  XPutImage(display_, pixmap_, gc, image, 0, 0, 0, 0, width, height);
  XFreeGC(display_, gc);
  image->data = nullptr;  // the caller's
  XDestroyImage(image);
  picture_ = XRenderCreatePicture(
      display_, pixmap_, XRenderFindStandardFormat(display_, PictStandardARGB32), 0, nullptr);
}

ServerImage::~ServerImage() {
  XRenderFreePicture(display_, picture_);
  XFreePixmap(display_, pixmap_);
}

}  // namespace x11
