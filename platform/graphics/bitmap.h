#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace graphics {

// 0x00RRGGBB, the layout X servers and QImage::Format_RGB32 use.
using Pixel = std::uint32_t;

constexpr Pixel rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}
constexpr Pixel kBlack = 0;

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

Rect intersect(const Rect& a, const Rect& b);

// A read-only window onto rows of pixels owned by someone else.
struct PixelView {
  const Pixel* pixels = nullptr;
  std::ptrdiff_t stride = 0;  // in pixels
  int width = 0;
  int height = 0;
  const Pixel* row(int y) const { return pixels + y * stride; }
};

// A 32-bit RGB picture, page-aligned with 64-byte rows, so that large row copies from a
// shared-memory segment stay fast. Resizing reallocates only when the size really changes.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Pixel fill = kBlack);
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&&) noexcept = default;
  Bitmap& operator=(Bitmap&&) noexcept = default;
  ~Bitmap() = default;

  int width() const { return size_.width; }
  int height() const { return size_.height; }
  Size size() const { return size_; }
  std::ptrdiff_t stride() const { return stride_; }

  Pixel* row(int y) { return pixels_.get() + y * stride_; }
  const Pixel* row(int y) const { return pixels_.get() + y * stride_; }
  Pixel at(int x, int y) const { return row(y)[x]; }
  void set(int x, int y, Pixel value) { row(y)[x] = value; }
  PixelView view() const { return {row(0), stride_, size_.width, size_.height}; }

  void fill(Pixel value);
  // Keeps the overlapping top-left part; new area is filled with `fill`.
  void resize(Size size, Pixel fill);

  bool operator==(const Bitmap& other) const;

 private:
  struct FreeAligned {
    void operator()(Pixel* p) const;
  };

  Size size_;
  std::ptrdiff_t stride_ = 0;
  std::unique_ptr<Pixel[], FreeAligned> pixels_;
};

// A writable window onto rows of pixels owned by someone else: a bitmap's, or a buffer shared
// with a display server.
struct PixelRows {
  PixelRows() = default;
  PixelRows(Pixel* first, std::ptrdiff_t rowStride, Size extent)
      : pixels(first), stride(rowStride), size(extent) {}
  // Any bitmap's rows.
  PixelRows(Bitmap& bitmap) : PixelRows(bitmap.row(0), bitmap.stride(), bitmap.size()) {}

  Pixel* pixels = nullptr;
  std::ptrdiff_t stride = 0;  // in pixels
  Size size;
  Pixel* row(int y) const { return pixels + y * stride; }
  PixelView view() const { return {pixels, stride, size.width, size.height}; }
};

void fill(PixelRows target, Pixel value);
// Copies the top-left part both have in common.
void copyPixels(const PixelView& source, PixelRows target);

}  // namespace graphics
