#include "platform/x11/screen_compositor.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>

#include "platform/graphics/stretch_copy.h"
#include "platform/x11/held_screen.h"
#include "platform/x11/stretch_check.h"

namespace x11 {
namespace {

// The ratios a program uses are few (the lens bar's forty); more means a caller that makes
// them up, and the list starts afresh rather than grow.
constexpr std::size_t kMostVerdicts = 256;

bool rendersTransforms(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  return XRenderQueryExtension(display, &eventBase, &errorBase) &&
         XRenderQueryVersion(display, &major, &minor) && (major > 0 || minor >= 6);
}

}  // namespace

std::unique_ptr<ScreenCompositor> ScreenCompositor::open(Connection& connection,
                                                         ScreenReader& screen) {
  if (!screen.readsPlainRgb() || !rendersTransforms(connection.display())) return nullptr;
  return std::unique_ptr<ScreenCompositor>(new ScreenCompositor(connection, screen));
}

ScreenCompositor::ScreenCompositor(Connection& connection, ScreenReader& screen)
    : connection_(connection),
      screen_(screen),
      heldScreen_(std::make_unique<HeldScreen>(*this, screen)) {
  Display* display = connection.display();
  XRenderPictureAttributes attributes{};
  // What the screen shows: the root window with every window on it.
  attributes.subwindow_mode = IncludeInferiors;
  root_ = XRenderCreatePicture(
      display, connection.rootWindow(),
      XRenderFindVisualFormat(display, DefaultVisual(display, DefaultScreen(display))),
      CPSubwindowMode, &attributes);
  XRenderSetPictureFilter(display, root_, FilterNearest, nullptr, 0);
}

ScreenCompositor::~ScreenCompositor() {
  heldScreen_.reset();  // its picture first, on the connection still open
  XRenderFreePicture(connection_.display(), root_);
}

graphics::HeldSource& ScreenCompositor::heldScreen() { return *heldScreen_; }

bool ScreenCompositor::canStretch(graphics::Size targetSize, const graphics::Rect& dest,
                                  const graphics::PixelSource& source,
                                  const graphics::Rect& sourceRect) {
  const bool fromScreen = &source == &screen_ || &source == heldScreen_.get();
  // The program's copies all start at the view's corner: the transform is made for that.
  if (!fromScreen || dest.left != 0 || dest.top != 0) return false;
  const graphics::StretchPlan plan = graphics::planStretch(dest, sourceRect, targetSize);
  const graphics::Rect screen = screen_.bounds();
  // Checked over the screen's size, the largest view there is; a larger one is left alone.
  if (plan.visibleDest.right() > screen.width || plan.visibleDest.bottom() > screen.height ||
      !fitsFixedPoint(plan.sourceSpan)) {
    return false;
  }
  return exact(ratioOf(sourceRect.width, dest.width), ratioOf(sourceRect.height, dest.height),
               {screen.width, screen.height});
}

ScreenCompositor::HeldArea ScreenCompositor::hold(unsigned long picture, const graphics::Rect& area,
                                                  graphics::Size screen) {
  // A copy pixel for pixel: exact at any screen size.
  const StretchRatio one;
  compositeStretch(connection_.display(), root_, {0, 0, screen.width, screen.height},
                   {one, one, screen, area.left, area.top}, picture,
                   {0, 0, area.width, area.height});
  return {picture, area, screen};
}

const ScreenCompositor::HeldArea* ScreenCompositor::heldFor(const graphics::PixelSource& source,
                                                            const graphics::Rect& span) const {
  if (&source != heldScreen_.get()) return nullptr;
  const HeldArea* held = heldScreen_->onServer(span);
  // Held at another screen size, it is not what the verdict on this stretch was for.
  return held != nullptr && held->screen == checkedScreen_ ? held : nullptr;
}

void ScreenCompositor::stretch(unsigned long targetPicture, const graphics::Rect& visible,
                               const graphics::Rect& dest, const graphics::Rect& sourceRect,
                               const HeldArea* held) {
  if (visible.empty()) return;
  RenderStretch how{ratioOf(sourceRect.width, dest.width), ratioOf(sourceRect.height, dest.height),
                    checkedScreen_, sourceRect.left, sourceRect.top};
  if (held == nullptr) {
    compositeStretch(connection_.display(), root_,
                     {0, 0, checkedScreen_.width, checkedScreen_.height}, how, targetPicture,
                     visible);
    return;
  }
  // Moving the source by whole pixels moves the sampling by as much: the verdict on the
  // screen's size it was held at holds.
  how.extent = held->screen;
  how.sourceLeft -= held->area.left;
  how.sourceTop -= held->area.top;
  compositeStretch(connection_.display(), held->picture,
                   {0, 0, held->area.width, held->area.height}, how, targetPicture, visible);
}

bool ScreenCompositor::exact(StretchRatio x, StretchRatio y, graphics::Size screen) {
  if (screen != checkedScreen_ || verdicts_.size() >= kMostVerdicts) {
    checkedScreen_ = screen;
    verdicts_.clear();
  }
  const auto known = std::find_if(verdicts_.begin(), verdicts_.end(), [&](const Verdict& verdict) {
    return verdict.x == x && verdict.y == y;
  });
  if (known != verdicts_.end()) return known->exact;
  const bool exact = serverStretchesExactly(connection_, x, y, screen);
  verdicts_.push_back({x, y, exact});
  return exact;
}

}  // namespace x11
