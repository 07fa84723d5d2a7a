#include "platform/wayland/shm_surface.h"

#include <algorithm>
#include <utility>

#include "platform/graphics/stretch_copy.h"
#include "platform/wayland/compositor_globals.h"

namespace wayland {
namespace {

// Enough to draw while the compositor holds one and another waits in its queue.
constexpr std::size_t kMostBuffers = 3;

}  // namespace

void ShmSurface::resize(graphics::Size size, graphics::Pixel fill) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == size_) return;
  memory_ = {};
  memoryCurrent_ = false;
  const graphics::Size old = size_;
  std::vector<std::unique_ptr<ShmBuffer>> oldBuffers = std::move(buffers_);
  ShmBuffer* oldPicture = current_;
  const std::optional<graphics::Pixel> oldFill = pendingFill_;
  buffers_.clear();
  current_ = nullptr;
  size_ = size;
  pendingFill_ = fill;
  if (size.width == 0 || size.height == 0) return;
  // A picture of one colour stays a clear to do; anything else is drawn at the new size.
  const bool keepsOnlyFill =
      (oldPicture == nullptr && !oldFill) || oldFill == fill || old.width == 0 || old.height == 0;
  if (keepsOnlyFill) return;
  ShmBuffer& resized = drawable();
  graphics::fill(resized.rows(), fill);
  if (oldFill) {
    const graphics::PixelRows rows = resized.rows();
    graphics::fill({rows.pixels,
                    rows.stride,
                    {std::min(old.width, size.width), std::min(old.height, size.height)}},
                   *oldFill);
  } else {
    graphics::copyPixels(oldPicture->rows().view(), resized.rows());
  }
  holds(resized);
}

void ShmSurface::fill(graphics::Pixel value) {
  pendingFill_ = value;
  memory_ = {};
  memoryCurrent_ = false;
}

void ShmSurface::stretchFrom(const graphics::Rect& dest, graphics::PixelSource& source,
                             const graphics::Rect& sourceRect) {
  const graphics::Rect visible = graphics::planStretch(dest, sourceRect, size_).visibleDest;
  if (visible.empty()) return;
  ShmBuffer& target = drawable();
  // What the stretch leaves uncovered keeps the picture.
  if (visible != graphics::Rect{0, 0, size_.width, size_.height}) {
    if (pendingFill_) {
      graphics::fill(target.rows(), *pendingFill_);
    } else if (&target != current_) {
      graphics::copyPixels(current_->rows().view(), target.rows());
    }
  }
  // A failed read throws before anything is drawn.
  graphics::stretchCopy(target.rows(), dest, source, sourceRect, scratch_);
  holds(target);
}

const graphics::Bitmap& ShmSurface::pixels() {
  if (memoryCurrent_) return memory_;
  memory_.resize(size_, graphics::kBlack);
  if (pendingFill_) {
    memory_.fill(*pendingFill_);
  } else if (current_ != nullptr) {
    graphics::copyPixels(current_->rows().view(), memory_);
  }
  memoryCurrent_ = true;
  return memory_;
}

ShmBuffer* ShmSurface::frame() const { return pendingFill_ ? nullptr : current_; }

ShmBuffer& ShmSurface::drawable() {
  globals_.dispatchPending();  // the compositor's releases, read by Qt meanwhile
  if (current_ != nullptr && !current_->busy()) return *current_;
  const auto free = std::find_if(buffers_.begin(), buffers_.end(),
                                 [](const auto& buffer) { return !buffer->busy(); });
  if (free != buffers_.end()) return **free;
  if (buffers_.size() < kMostBuffers) {
    buffers_.push_back(std::make_unique<ShmBuffer>(globals_.interfaces().shm, size_));
    return *buffers_.back();
  }
  // A compositor that holds them all has copied the oldest long ago (shared memory is read at
  // the commit): never stall the window for it, nor take more memory.
  return *buffers_.front();
}

void ShmSurface::holds(ShmBuffer& buffer) {
  current_ = &buffer;
  pendingFill_.reset();
  memory_ = {};
  memoryCurrent_ = false;
  const auto held = std::find_if(buffers_.begin(), buffers_.end(),
                                 [&](const auto& owned) { return owned.get() == &buffer; });
  std::rotate(held, held + 1, buffers_.end());
}

}  // namespace wayland
