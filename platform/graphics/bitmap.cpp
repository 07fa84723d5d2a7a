#include "platform/graphics/bitmap.h"

#include <algorithm>
#include <new>

namespace graphics {
namespace {

constexpr std::align_val_t kPageSize{4096};
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

void Bitmap::FreeAligned::operator()(Pixel* p) const { ::operator delete[](p, kPageSize); }

Bitmap::Bitmap(int width, int height, Pixel fill) { resize({width, height}, fill); }

Bitmap::Bitmap(const Bitmap& other) { *this = other; }

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  resize(other.size_, kBlack);
  copyPixels(other.view(), *this);
  return *this;
}

void Bitmap::fill(Pixel value) { graphics::fill(*this, value); }

void Bitmap::resize(Size size, Pixel fill) {
  size.width = std::max(size.width, 0);
  size.height = std::max(size.height, 0);
  if (size == size_ && pixels_) return;
  const std::ptrdiff_t stride = strideFor(size.width);
  // At least one pixel, so that even an empty picture has rows to point at.
  const std::size_t count =
      std::max<std::size_t>(1, static_cast<std::size_t>(stride) * size.height);
  std::unique_ptr<Pixel[], FreeAligned> pixels(
      static_cast<Pixel*>(::operator new[](count * sizeof(Pixel), kPageSize)));
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

void fill(PixelRows target, Pixel value) {
  for (int y = 0; y < target.size.height; ++y) std::fill_n(target.row(y), target.size.width, value);
}

void copyPixels(const PixelView& source, PixelRows target) {
  const int width = std::min(source.width, target.size.width);
  const int height = std::min(source.height, target.size.height);
  for (int y = 0; y < height; ++y) std::copy_n(source.row(y), width, target.row(y));
}

}  // namespace graphics
