#pragma once

#include <QPoint>
#include <QRect>
#include <optional>
#include <utility>

struct wl_subsurface;
struct wl_surface;

namespace wayland {

class CompositorGlobals;
class ShmBuffer;

// A surface of ours shown inside a window of Qt's, over the window's own surface or below it,
// where it shows through what Qt leaves transparent. Its frames go to the compositor as they
// come (desynchronised), never waiting for Qt's; it takes no input, so the pointer and the
// clicks stay the window's.
class Subsurface {
 public:
  // `parent` is the window's wl_surface; `globals` must outlive this.
  Subsurface(CompositorGlobals& globals, wl_surface* parent);
  ~Subsurface();
  Subsurface(const Subsurface&) = delete;
  Subsurface& operator=(const Subsurface&) = delete;

  wl_surface* parent() const { return parent_; }
  // In the parent surface's pixels; the compositor moves it with the parent's next commit, the
  // one that shows the window's new layout.
  void moveTo(QPoint place);
  // Over the parent, or below it; the compositor restacks with the parent's next commit.
  void stackBelowParent(bool below);
  // Shows `buffer`, which is the compositor's until it releases it.
  void show(ShmBuffer& buffer);
  // Tells the compositor, with the parent's next commit, that the parent (of `parentSize`) is
  // opaque but for `hole`, where we show: it then draws neither what lies behind the window
  // nor the window's own transparent pixels outside the hole.
  void setParentOpaqueBeyond(QSize parentSize, QRect hole);

 private:
  CompositorGlobals& globals_;
  wl_surface* parent_;
  wl_surface* surface_ = nullptr;
  wl_subsurface* subsurface_ = nullptr;
  std::optional<QPoint> place_;
  bool below_ = false;  // a new subsurface lies over its parent
  std::optional<std::pair<QSize, QRect>> parentOpaqueBeyond_;
};

}  // namespace wayland
