#include "platform/x11/server_surface.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/x11/drawable_rows.h"
#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

XRenderColor renderColour(graphics::Pixel pixel) {
  // 8 bits to 16 by repeating them: the server takes the top 8 back exactly.
  const auto channel = [&](int shift) {
    return static_cast<unsigned short>(((pixel >> shift) & 0xFFU) * 0x101U);
  };
  return {channel(16), channel(8), channel(0), 0xFFFF};
}

}  // namespace

ServerSurface::ServerSurface(ScreenCompositor& compositor)
    : compositor_(compositor), display_(compositor.connection().display()) {}

ServerSurface::~ServerSurface() {
  // The window may be gone already (Qt destroys it, or someone else did), and our picture of
  // it with it: whatever the server answers ends here.
  ErrorTrap trap(compositor_.connection());
  forgetWindow();
}

void ServerSurface::resize(graphics::Size size, graphics::Pixel fill) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == size_) return;
  settleDeferredStretch();
  const graphics::Rect kept =
      graphics::intersect({0, 0, size_.width, size_.height}, {0, 0, size.width, size.height});
  ServerPicture resized;
  if (size.width > 0 && size.height > 0) {
    resized = ServerPicture(display_, size, ServerPicture::Format::Rgb24);
    fillRect(resized.picture(), {0, 0, size.width, size.height}, fill);
    if (pendingFill_) {
      fillRect(resized.picture(), kept, *pendingFill_);
    } else if (!kept.empty()) {
      XRenderComposite(display_, PictOpSrc, picture_.picture(), None, resized.picture(), 0, 0, 0, 0,
                       0, 0, static_cast<unsigned>(kept.width), static_cast<unsigned>(kept.height));
    }
  }
  picture_ = std::move(resized);
  pendingFill_.reset();
  if (memoryCurrent_) memory_.resize(size, fill);
  size_ = size;
}

void ServerSurface::fill(graphics::Pixel value) {
  deferred_.reset();
  pendingFill_ = value;
  memoryCurrent_ = false;
}

void ServerSurface::stretchFrom(const graphics::Rect& dest, graphics::PixelSource& source,
                                const graphics::Rect& sourceRect) {
  const graphics::StretchPlan plan = graphics::planStretch(dest, sourceRect, size_);
  const graphics::Rect& visible = plan.visibleDest;
  if (visible.empty()) return;
  const bool covered = visible == graphics::Rect{0, 0, size_.width, size_.height};
  if (compositor_.canStretch(size_, dest, source, sourceRect)) {
    if (covered) {
      deferred_.reset();
    } else {
      settleDeferredStretch();
    }
    settlePendingFill(covered);
    const graphics::Rect span = graphics::intersect(plan.sourceSpan, source.bounds());
    if (!covered || !deferStretch(dest, sourceRect, span, visible)) {
      compositor_.stretch(picture_.picture(), visible, dest, sourceRect);
    }
    // Stale now; and no frame drawn on the server is held in memory as well.
    memory_ = graphics::Bitmap();
    memoryCurrent_ = false;
    return;
  }
  bringIntoMemory();
  graphics::stretchCopy(memory_, dest, source, sourceRect, scratch_);
  settlePendingFill(covered);
  picture_.put(memory_.row(0), memory_.stride(), visible);
}

const graphics::Bitmap& ServerSurface::pixels() {
  bringIntoMemory();
  return memory_;
}

void ServerSurface::present(unsigned long window, graphics::Size windowSize,
                            graphics::Pixel background, const ServerPicture& overlay) {
  if (window != window_) {
    forgetWindow();
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) return;
    window_ = window;
    windowPicture_ = XRenderCreatePicture(
        display_, window, XRenderFindVisualFormat(display_, attributes.visual), 0, nullptr);
  }
  const graphics::Rect shown = graphics::intersect({0, 0, size_.width, size_.height},
                                                   {0, 0, windowSize.width, windowSize.height});
  if (pendingFill_) {
    fillRect(windowPicture_, shown, *pendingFill_);
  } else if (deferred_) {
    compositor_.stretch(windowPicture_, shown, deferred_->dest, deferred_->sourceRect,
                        &deferred_->held);
  } else if (!shown.empty()) {
    XRenderComposite(display_, PictOpSrc, picture_.picture(), None, windowPicture_, 0, 0, 0, 0, 0,
                     0, static_cast<unsigned>(shown.width), static_cast<unsigned>(shown.height));
  }
  // The picture follows the window's size a moment later: the background shows meanwhile.
  fillRect(windowPicture_, {shown.right(), 0, windowSize.width - shown.right(), windowSize.height},
           background);
  fillRect(windowPicture_, {0, shown.bottom(), shown.right(), windowSize.height - shown.bottom()},
           background);
  if (overlay.picture() != 0) {
    XRenderComposite(display_, PictOpOver, overlay.picture(), None, windowPicture_, 0, 0, 0, 0, 0,
                     0, static_cast<unsigned>(overlay.size().width),
                     static_cast<unsigned>(overlay.size().height));
  }
  XFlush(display_);
}

void ServerSurface::fillRect(unsigned long picture, const graphics::Rect& area,
                             graphics::Pixel colour) {
  if (area.empty()) return;
  const XRenderColor render = renderColour(colour);
  XRenderFillRectangle(display_, PictOpSrc, picture, &render, area.left, area.top,
                       static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
}

void ServerSurface::settlePendingFill(bool covered) {
  if (pendingFill_ && !covered) {
    fillRect(picture_.picture(), {0, 0, size_.width, size_.height}, *pendingFill_);
  }
  pendingFill_.reset();
}

bool ServerSurface::deferStretch(const graphics::Rect& dest, const graphics::Rect& sourceRect,
                                 const graphics::Rect& span, const graphics::Rect& visible) {
  const auto pixels = [](const graphics::Rect& area) {
    return std::int64_t{area.width} * area.height;
  };
  if (span.empty() || pixels(span) >= pixels(visible)) return false;
  const graphics::Size capacity = held_.size();
  if (span.width > capacity.width || span.height > capacity.height) {
    held_ = {};  // before the larger one is made: never both on the server
    held_ = ServerPicture(
        display_, {std::max(span.width, capacity.width), std::max(span.height, capacity.height)},
        ServerPicture::Format::Rgb24);
    XRenderSetPictureFilter(display_, held_.picture(), FilterNearest, nullptr, 0);
  }
  deferred_ = DeferredStretch{dest, sourceRect, compositor_.hold(held_.picture(), span)};
  return true;
}

void ServerSurface::settleDeferredStretch() {
  if (!deferred_) return;
  compositor_.stretch(picture_.picture(), {0, 0, size_.width, size_.height}, deferred_->dest,
                      deferred_->sourceRect, &deferred_->held);
  deferred_.reset();
}

void ServerSurface::bringIntoMemory() {
  if (memoryCurrent_) return;
  settleDeferredStretch();
  memory_.resize(size_, graphics::kBlack);
  if (pendingFill_) {
    memory_.fill(*pendingFill_);
  } else if (picture_.pixmap() != 0) {
    const bool read = readRows(
        display_, picture_.pixmap(), {0, 0, size_.width, size_.height},
        [&](int y, const graphics::Pixel* row) { std::copy_n(row, size_.width, memory_.row(y)); });
    if (!read) {
      throw forms::RuntimeError::screenUnreadable(
          "X サーバーがビューの絵 (" + std::to_string(size_.width) + "×" +
          std::to_string(size_.height) + ") の読み戻しを断りました。");
    }
  }
  memoryCurrent_ = true;
}

void ServerSurface::forgetWindow() {
  if (windowPicture_ != 0) XRenderFreePicture(display_, windowPicture_);
  window_ = 0;
  windowPicture_ = 0;
}

}  // namespace x11
