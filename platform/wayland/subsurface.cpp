#include "platform/wayland/subsurface.h"

#include <wayland-client.h>

#include <limits>

#include "platform/wayland/compositor_globals.h"
#include "platform/wayland/shm_buffer.h"

namespace wayland {

Subsurface::Subsurface(CompositorGlobals& globals, wl_surface* parent)
    : globals_(globals), parent_(parent) {
  const CompositorGlobals::Interfaces& interfaces = globals.interfaces();
  surface_ = wl_compositor_create_surface(interfaces.compositor);
  subsurface_ = wl_subcompositor_get_subsurface(interfaces.subcompositor, surface_, parent);
  wl_subsurface_set_desync(subsurface_);
  wl_region* nowhere = wl_compositor_create_region(interfaces.compositor);
  wl_surface_set_input_region(surface_, nowhere);
  wl_region_destroy(nowhere);
}

Subsurface::~Subsurface() {
  // Gone with the next commit of the parent; harmless if the parent is gone already.
  wl_subsurface_destroy(subsurface_);
  wl_surface_destroy(surface_);
  globals_.flush();
}

void Subsurface::moveTo(QPoint place) {
  if (place_ == place) return;
  place_ = place;
  wl_subsurface_set_position(subsurface_, place.x(), place.y());
}

void Subsurface::stackBelowParent(bool below) {
  if (below == below_) return;
  below_ = below;
  if (below) {
    wl_subsurface_place_below(subsurface_, parent_);
  } else {
    wl_subsurface_place_above(subsurface_, parent_);
  }
}

void Subsurface::setParentOpaqueBeyond(QSize parentSize, QRect hole) {
  const auto opaqueBeyond = std::make_pair(parentSize, hole);
  if (parentOpaqueBeyond_ == opaqueBeyond) return;
  parentOpaqueBeyond_ = opaqueBeyond;
  wl_region* opaque = wl_compositor_create_region(globals_.interfaces().compositor);
  wl_region_add(opaque, 0, 0, parentSize.width(), parentSize.height());
  wl_region_subtract(opaque, hole.x(), hole.y(), hole.width(), hole.height());
  wl_surface_set_opaque_region(parent_, opaque);
  wl_region_destroy(opaque);
}

void Subsurface::show(ShmBuffer& buffer) {
  wl_surface_attach(surface_, buffer.buffer(), 0, 0);
  wl_surface_damage_buffer(surface_, 0, 0, std::numeric_limits<std::int32_t>::max(),
                           std::numeric_limits<std::int32_t>::max());
  wl_surface_commit(surface_);
  buffer.handedOver();
  globals_.flush();
}

}  // namespace wayland
