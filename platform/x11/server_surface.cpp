#include "platform/x11/server_surface.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/forms/runtime_error.h"

namespace x11 {
namespace {

// Partial stretches from the screen, one over the other, kept to make the picture again; past
// this many the server is asked at once whether it drew them.
constexpr std::size_t kMostStretchesToRedo = 8;

XRenderColor renderColour(graphics::Pixel pixel) {
  // 8 bits to 16 by repeating them: the server takes the top 8 back exactly.
  const auto channel = [&](int shift) {
    return static_cast<unsigned short>(((pixel >> shift) & 0xFFU) * 0x101U);
  };
  return {channel(16), channel(8), channel(0), 0xFFFF};
}

// The surface's requests, sent inside one of its calls, go to its trap.
class Watched {
 public:
  explicit Watched(ErrorTrap& trap) : trap_(trap) { trap_.watch(); }
  ~Watched() { trap_.pause(); }
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;

 private:
  ErrorTrap& trap_;
};

}  // namespace

ServerSurface::ServerSurface(ScreenCompositor& compositor)
    : compositor_(compositor),
      display_(compositor.connection().display()),
      sent_(compositor.connection()) {
  sent_.pause();
}

ServerSurface::~ServerSurface() {
  // The window may be gone already (Qt destroys it, or someone else did), and our picture of it
  // with it: whatever the server answers, to that and to the pixmaps freed after, ends here.
  sent_.clear();
  sent_.watch();
  forgetWindow();
}

void ServerSurface::resize(graphics::Size size, graphics::Pixel fill) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == size_) return;
  takeInRefusals(true);
  const Watched watched(sent_);
  settleDeferredStretch();
  const graphics::Rect whole{0, 0, size.width, size.height};
  const graphics::Rect kept = graphics::intersect({0, 0, size_.width, size_.height}, whole);
  ServerPicture resized;
  if (!whole.empty()) {
    // A pixmap the server will not make (too large for it) is known at once.
    ErrorTrap trap(compositor_.connection());
    resized = ServerPicture(display_, size, ServerPicture::Format::Rgb24);
    fillRect(resized.picture(), whole, fill);
    if (pendingFill_) {
      fillRect(resized.picture(), kept, *pendingFill_);
    } else if (onServer() && !kept.empty()) {
      XRenderComposite(display_, PictOpSrc, picture_.picture(), None, resized.picture(), 0, 0, 0, 0,
                       0, 0, static_cast<unsigned>(kept.width), static_cast<unsigned>(kept.height));
    }
    if (trap.failed()) {
      trap.report();
      resized = {};
    }
  }
  // A picture made anew from nothing goes on the server; one kept in memory before, or refused
  // a pixmap now, is in memory, and sent back to the server if it has a pixmap again.
  const bool fromNothing = size_.width == 0 || size_.height == 0;
  if (resized.pixmap() != 0 && (onServer() || fromNothing)) {
    memoryCurrent_ = false;
  } else {
    bringIntoMemory();
    memory_.resize(size, fill);
    memoryCurrent_ = true;
    if (resized.pixmap() != 0) resized.put(memory_.row(0), memory_.stride(), whole);
  }
  picture_ = std::move(resized);
  pendingFill_.reset();
  redoBase_.reset();
  redo_.clear();
  size_ = size;
}

void ServerSurface::fill(graphics::Pixel value) {
  takeInRefusals(false);
  if (!onServer()) {
    memory_.fill(value);
    return;
  }
  deferred_.reset();
  pendingFill_ = value;
  memoryCurrent_ = false;
  redoBase_ = value;
  redo_.clear();
}

void ServerSurface::stretchFrom(const graphics::Rect& dest, graphics::PixelSource& source,
                                const graphics::Rect& sourceRect) {
  takeInRefusals(false);
  const graphics::StretchPlan plan = graphics::planStretch(dest, sourceRect, size_);
  const graphics::Rect& visible = plan.visibleDest;
  if (visible.empty()) return;
  const Watched watched(sent_);
  if (onServer() && compositor_.canStretch(size_, dest, source, sourceRect)) {
    stretchOnServer(dest, source, sourceRect, plan);
    return;
  }
  bringIntoMemory();
  graphics::stretchCopy(memory_, dest, source, sourceRect, scratch_);
  if (!onServer()) return;
  settlePendingFill(visible == graphics::Rect{0, 0, size_.width, size_.height});
  picture_.put(memory_.row(0), memory_.stride(), visible);
  // Memory holds the picture already: a refusal needs nothing made again.
  takeInRefusals(true);
  redoBase_.reset();
  redo_.clear();
}

void ServerSurface::stretchOnServer(const graphics::Rect& dest, graphics::PixelSource& source,
                                    const graphics::Rect& sourceRect,
                                    const graphics::StretchPlan& plan) {
  const graphics::Rect& visible = plan.visibleDest;
  const bool covered = visible == graphics::Rect{0, 0, size_.width, size_.height};
  const bool fromScreen = &source == &compositor_.screen();
  const graphics::Rect bounds = source.bounds();
  const graphics::Rect span = graphics::intersect(plan.sourceSpan, bounds);
  if (covered) {
    deferred_.reset();
  } else {
    settleDeferredStretch();
  }
  settlePendingFill(covered);
  if (!covered || !fromScreen ||
      !deferStretch(dest, sourceRect, span, visible, {bounds.width, bounds.height})) {
    compositor_.stretch(picture_.picture(), visible, dest, sourceRect,
                        compositor_.heldFor(source, span));
  }
  memoryCurrent_ = false;
  if (fromScreen) {
    if (covered) {
      redoBase_ = graphics::kBlack;  // whatever was there is covered
      redo_.clear();
    }
    redo_.push_back({dest, sourceRect});
    if (redo_.size() < kMostStretchesToRedo) return;
  }
  // The source may not be there later to make the picture again: the server's answer now.
  takeInRefusals(true);
  if (!onServer()) {
    graphics::stretchCopy(memory_, dest, source, sourceRect, scratch_);
    return;
  }
  redoBase_.reset();
  redo_.clear();
}

const graphics::Bitmap& ServerSurface::pixels() {
  if (!memoryCurrent_) {
    const Watched watched(sent_);
    settleDeferredStretch();
  }
  // All the picture takes is sent: whether the server refused any of it.
  takeInRefusals(true);
  const Watched watched(sent_);
  bringIntoMemory();
  return memory_;
}

void ServerSurface::present(unsigned long window, graphics::Size windowSize,
                            graphics::Pixel background, const ServerPicture& overlay) {
  takeInRefusals(false);
  if (window != window_ && !takeWindow(window)) return;
  const Watched watched(sent_);
  const graphics::Rect shown = graphics::intersect({0, 0, size_.width, size_.height},
                                                   {0, 0, windowSize.width, windowSize.height});
  if (!onServer()) {
    presentFromMemory(shown, windowSize, background);
  } else {
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
    fillRect(windowPicture_,
             {shown.right(), 0, windowSize.width - shown.right(), windowSize.height}, background);
    fillRect(windowPicture_, {0, shown.bottom(), shown.right(), windowSize.height - shown.bottom()},
             background);
  }
  if (overlay.picture() != 0 && windowPicture_ != 0) {
    XRenderComposite(display_, PictOpOver, overlay.picture(), None, windowPicture_, 0, 0, 0, 0, 0,
                     0, static_cast<unsigned>(overlay.size().width),
                     static_cast<unsigned>(overlay.size().height));
  }
  XFlush(display_);
}

void ServerSurface::presentFromMemory(const graphics::Rect& shown, graphics::Size windowSize,
                                      graphics::Pixel background) {
  putPixels(display_, window_, windowGc_, windowDepth_, memory_.row(0), memory_.stride(), shown);
  XSetForeground(display_, windowGc_, background);
  const auto fillBackground = [&](const graphics::Rect& area) {
    if (area.empty()) return;
    XFillRectangle(display_, window_, windowGc_, area.left, area.top,
                   static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
  };
  fillBackground({shown.right(), 0, windowSize.width - shown.right(), windowSize.height});
  fillBackground({0, shown.bottom(), shown.right(), windowSize.height - shown.bottom()});
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
                                 const graphics::Rect& span, const graphics::Rect& visible,
                                 graphics::Size screen) {
  const auto pixels = [](const graphics::Rect& area) {
    return std::int64_t{area.width} * area.height;
  };
  if (span.empty() || pixels(span) >= pixels(visible)) return false;
  growHeldPicture(display_, held_, {span.width, span.height});
  deferred_ = DeferredStretch{dest, sourceRect, compositor_.hold(held_.picture(), span, screen)};
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
  } else {
    try {
      const graphics::PixelView pixels =
          compositor_.screen().readPixmap(picture_.pixmap(), {0, 0, size_.width, size_.height});
      for (int y = 0; y < size_.height; ++y) {
        std::transform(pixels.row(y), pixels.row(y) + size_.width, memory_.row(y), rgbOnly);
      }
    } catch (const forms::RuntimeError&) {
      throw forms::RuntimeError::screenUnreadable(
          "X サーバーがビューの絵 (" + std::to_string(size_.width) + "×" +
          std::to_string(size_.height) + ") の読み戻しを断りました。");
    }
  }
  memoryCurrent_ = true;
}

void ServerSurface::takeInRefusals(bool wait) {
  if (!wait && !sent_.settled()) return;
  if (!sent_.failed()) {
    sent_.clear();
    return;
  }
  sent_.report();
  const std::vector<Refusal>& refusals = sent_.refusals();
  const auto aboutWindow = [&](const Refusal& refusal) {
    return refusal.resource != 0 &&
           (refusal.resource == window_ || refusal.resource == windowPicture_);
  };
  const bool windowOnly = std::all_of(refusals.begin(), refusals.end(), aboutWindow);
  if (std::any_of(refusals.begin(), refusals.end(), aboutWindow)) forgetWindow();
  sent_.clear();
  if (!windowOnly) keepInMemory();
}

void ServerSurface::keepInMemory() {
  if (!memoryCurrent_) {
    memory_.resize(size_, graphics::kBlack);
    try {
      if (redoBase_) {
        memory_.fill(*redoBase_);
      } else {
        pendingFill_.reset();
        deferred_.reset();
        bringIntoMemory();
      }
    } catch (const forms::RuntimeError&) {
      // Nothing to read back: the stretches below are all there is of the picture.
    }
    try {
      for (const ScreenStretch& stretch : redo_) {
        graphics::stretchCopy(memory_, stretch.dest, compositor_.screen(), stretch.sourceRect,
                              scratch_);
      }
    } catch (const forms::RuntimeError&) {
      // A screen that cannot be read just now: the next frame says so where it is drawn.
    }
    memoryCurrent_ = true;
  }
  {
    ErrorTrap quiet(compositor_.connection());  // what the server refused may be among these
    picture_ = {};
    held_ = {};
  }
  pendingFill_.reset();
  deferred_.reset();
  redoBase_.reset();
  redo_.clear();
}

bool ServerSurface::takeWindow(unsigned long window) {
  forgetWindow();
  XWindowAttributes attributes;
  {
    ErrorTrap trap(compositor_.connection());  // a window gone is an answer here
    if (XGetWindowAttributes(display_, window, &attributes) == 0 || trap.failed()) return false;
  }
  const Watched watched(sent_);
  window_ = window;
  windowDepth_ = attributes.depth;
  windowGc_ = XCreateGC(display_, window, 0, nullptr);
  const XRenderPictFormat* format = XRenderFindVisualFormat(display_, attributes.visual);
  if (format != nullptr) {
    windowPicture_ = XRenderCreatePicture(display_, window, format, 0, nullptr);
  } else {
    // A window RENDER cannot draw into: shown the portable way.
    keepInMemory();
  }
  return true;
}

void ServerSurface::forgetWindow() {
  if (window_ == 0) return;
  {
    // The window may be gone, and our picture of it with it.
    ErrorTrap quiet(compositor_.connection());
    if (windowPicture_ != 0) XRenderFreePicture(display_, windowPicture_);
    XFreeGC(display_, windowGc_);
  }
  window_ = 0;
  windowPicture_ = 0;
  windowGc_ = nullptr;
}

}  // namespace x11
