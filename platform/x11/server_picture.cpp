#include "platform/x11/server_picture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>
#include <utility>

namespace x11 {

void putPixels(Display* display, unsigned long drawable, GC gc, int depth,
               const std::uint32_t* pixels, std::ptrdiff_t stride, const graphics::Rect& area) {
  if (area.empty()) return;
  // The image header spans the picture in memory up to the area's far corner.
  XImage* image =
      XCreateImage(display, nullptr, static_cast<unsigned>(depth), ZPixmap, 0,
                   reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels)),
                   static_cast<unsigned>(area.right()), static_cast<unsigned>(area.bottom()), 32,
                   static_cast<int>(stride * static_cast<std::ptrdiff_t>(sizeof(*pixels))));
  XPutImage(display, drawable, gc, image, area.left, area.top, area.left, area.top,
            static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
  image->data = nullptr;
  XDestroyImage(image);
}

ServerPicture::ServerPicture(Display* display, graphics::Size size, Format format, bool repeat)
    : display_(display), size_(size), depth_(format == Format::Rgb24 ? 24 : 32) {
  pixmap_ = XCreatePixmap(display, DefaultRootWindow(display), static_cast<unsigned>(size.width),
                          static_cast<unsigned>(size.height), static_cast<unsigned>(depth_));
  XRenderPictureAttributes attributes{};
  attributes.repeat = repeat ? RepeatNormal : RepeatNone;
  picture_ = XRenderCreatePicture(
      display, pixmap_,
      XRenderFindStandardFormat(display,
                                format == Format::Rgb24 ? PictStandardRGB24 : PictStandardARGB32),
      CPRepeat, &attributes);
}

ServerPicture::~ServerPicture() { free(); }

ServerPicture::ServerPicture(ServerPicture&& other) noexcept
    : display_(other.display_),
      size_(std::exchange(other.size_, {})),
      depth_(other.depth_),
      pixmap_(std::exchange(other.pixmap_, 0)),
      picture_(std::exchange(other.picture_, 0)) {}

ServerPicture& ServerPicture::operator=(ServerPicture&& other) noexcept {
  if (this != &other) {
    free();
    display_ = other.display_;
    size_ = std::exchange(other.size_, {});
    depth_ = other.depth_;
    pixmap_ = std::exchange(other.pixmap_, 0);
    picture_ = std::exchange(other.picture_, 0);
  }
  return *this;
}

void ServerPicture::put(const std::uint32_t* pixels, std::ptrdiff_t stride,
                        const graphics::Rect& area) {
  if (area.empty()) return;
  const GC gc = XCreateGC(display_, pixmap_, 0, nullptr);
  putPixels(display_, pixmap_, gc, depth_, pixels, stride, area);
  XFreeGC(display_, gc);
}

void growHeldPicture(Display* display, ServerPicture& picture, graphics::Size size) {
  const graphics::Size capacity = picture.size();
  if (size.width <= capacity.width && size.height <= capacity.height) return;
  picture = {};
  picture = ServerPicture(
      display, {std::max(size.width, capacity.width), std::max(size.height, capacity.height)},
      ServerPicture::Format::Rgb24);
  XRenderSetPictureFilter(display, picture.picture(), FilterNearest, nullptr, 0);
}

void ServerPicture::free() {
  if (picture_ != 0) XRenderFreePicture(display_, picture_);
  if (pixmap_ != 0) XFreePixmap(display_, pixmap_);
  picture_ = 0;
  pixmap_ = 0;
}

}  // namespace x11
