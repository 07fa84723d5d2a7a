#include "platform/graphics/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace graphics {
namespace {

constexpr std::size_t kPageSize = 4096;
constexpr std::ptrdiff_t kRowAlignmentPixels = 16;  // 64-byte rows

std::ptrdiff_t strideFor(int width) {
  return (width + kRowAlignmentPixels - 1) / kRowAlignmentPixels * kRowAlignmentPixels;
}

}  // namespace

Rect intersect(const Rect& a, const Rect& b) {
  const int left = std::max(a.left, b.left);
  const int top = std::max(a.top, b.top);
  const int right = std::min(a.right(), b.right());
  const int bottom = std::min(a.bottom(), b.bottom());
  if (right <= left || bottom <= top) return {left, top, 0, 0};
  return {left, top, right - left, bottom - top};
}

void Bitmap::FreeAligned::operator()(Pixel* p) const { std::free(p); }

Bitmap::Bitmap(int width, int height, Pixel fill) { resize({width, height}, fill); }

Bitmap::Bitmap(const Bitmap& other) { *this = other; }

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  resize(other.size_, kBlack);
  for (int y = 0; y < size_.height; ++y) std::copy_n(other.row(y), size_.width, row(y));
  return *this;
}

void Bitmap::aboutToOverwrite(const Rect& area) {
  if (pendingFill_) fillOutside(intersect(area, {0, 0, size_.width, size_.height}));
}

void Bitmap::fillOutside(const Rect& kept) const {
  const Pixel value = *pendingFill_;
  pendingFill_.reset();
  for (int y = 0; y < size_.height; ++y) {
    Pixel* line = pixels_.get() + y * stride_;
    if (kept.empty() || y < kept.top || y >= kept.bottom()) {
      std::fill_n(line, size_.width, value);
    } else {
      std::fill(line, line + kept.left, value);
      std::fill(line + kept.right(), line + size_.width, value);
    }
  }
}

void Bitmap::resize(Size size, Pixel fill) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == size_ && pixels_) return;
  applyPendingFill();  // it belongs to the old pixels, not to the new area
  const std::ptrdiff_t stride = strideFor(size.width);
  const std::size_t bytes = std::max<std::size_t>(
      kPageSize, (static_cast<std::size_t>(stride) * size.height * sizeof(Pixel) + kPageSize - 1) /
                     kPageSize * kPageSize);
  std::unique_ptr<Pixel[], FreeAligned> pixels(
      static_cast<Pixel*>(std::aligned_alloc(kPageSize, bytes)));
  if (!pixels) throw std::bad_alloc();
  for (int y = 0; y < size.height; ++y) {
    Pixel* target = pixels.get() + y * stride;
    const int kept = (y < size_.height) ? std::min(size.width, size_.width) : 0;
    if (kept > 0) std::copy_n(row(y), kept, target);
    std::fill(target + kept, target + size.width, fill);
  }
  pixels_ = std::move(pixels);
  size_ = size;
  stride_ = stride;
}

bool Bitmap::operator==(const Bitmap& other) const {
  if (size_ != other.size_) return false;
  for (int y = 0; y < size_.height; ++y) {
    if (!std::equal(row(y), row(y) + size_.width, other.row(y))) return false;
  }
  return true;
}

}  // namespace graphics
