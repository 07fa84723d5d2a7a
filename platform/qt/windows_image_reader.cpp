#include "platform/qt/windows_image_reader.h"

#include <cstdint>
#include <optional>

namespace qtplatform {
namespace {

constexpr std::size_t kFileHeaderSize = 14;      // BITMAPFILEHEADER
constexpr std::size_t kPixelsOffsetAt = 10;      // in BITMAPFILEHEADER
constexpr std::size_t kInfoHeaderSize = 40;      // BITMAPINFOHEADER, or larger
constexpr std::size_t kDirectorySize = 6;        // ICONDIR
constexpr std::size_t kEntryHotSpotAt = 4;       // in a cursor's ICONDIRENTRY (an icon's planes)
constexpr std::size_t kEntryImageOffsetAt = 12;  // in the first ICONDIRENTRY
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kBitmapSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kIconType = 1;
constexpr std::uint32_t kCursorType = 2;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::int64_t kLargestSide = 1 << 15;

// Little-endian reads that say when they would leave the file.
class Bytes {
 public:
  explicit Bytes(std::span<const std::byte> bytes) : bytes_(bytes) {}

  bool holds(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint32_t byte(std::size_t at) const { return std::to_integer<std::uint32_t>(bytes_[at]); }
  std::uint32_t u16(std::size_t at) const { return byte(at) | byte(at + 1) << 8; }
  std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
  std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
  // The `index`th field of `bits` bits in the row at `rowAt`, the first in the highest bits.
  std::uint32_t field(std::size_t rowAt, int index, int bits) const {
    const std::size_t bit = static_cast<std::size_t>(index) * static_cast<std::size_t>(bits);
    const int shift = 8 - bits - static_cast<int>(bit % 8);
    return (byte(rowAt + bit / 8) >> shift) & ((1U << bits) - 1);
  }

 private:
  std::span<const std::byte> bytes_;
};

std::size_t rowSize(std::int64_t width, int bitCount) {
  return static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
}

// The colour stored at `at` as blue, green, red: a palette entry or a pixel of 24 or 32 bits.
QRgb colourAt(const Bytes& bytes, std::size_t at) {
  return qRgb(static_cast<int>(bytes.byte(at + 2)), static_cast<int>(bytes.byte(at + 1)),
              static_cast<int>(bytes.byte(at)));
}

// The device-independent bitmap whose header starts at `headerAt`: the header, the palette,
// then the rows, bottom-up unless the height is negative, each padded to four bytes. An icon's
// height counts its AND mask too, whose rows follow the picture's: one bit a pixel, set where
// the icon is transparent. The rows start at `rowsAt` if given, else right after the palette.
QImage readBitmap(const Bytes& bytes, std::size_t headerAt, std::optional<std::size_t> rowsAt,
                  bool masked) {
  if (!bytes.holds(headerAt, kInfoHeaderSize)) return {};
  const std::size_t headerSize = bytes.u32(headerAt);
  const std::int64_t width = bytes.i32(headerAt + 4);
  std::int64_t height = bytes.i32(headerAt + 8);
  const int bitCount = static_cast<int>(bytes.u16(headerAt + 14));
  std::size_t colours = bytes.u32(headerAt + 32);
  const bool bottomUp = height > 0;
  height = bottomUp ? height : -height;
  if (masked) height = bottomUp && height % 2 == 0 ? height / 2 : 0;
  const bool readable = headerSize >= kInfoHeaderSize &&
                        bytes.u32(headerAt + 16) == kUncompressed &&
                        (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 ||
                         (bitCount == 32 && !masked)) &&
                        width > 0 && width <= kLargestSide && height > 0 && height <= kLargestSide;
  if (!readable) return {};
  // Deeper pixels hold their colours themselves; a table of colours may still come first.
  if (bitCount <= 8) {
    const std::size_t indexes = std::size_t{1} << bitCount;
    if (colours == 0) colours = indexes;
    if (colours > indexes) return {};
  }
  const std::size_t paletteAt = headerAt + headerSize;
  if (!bytes.holds(paletteAt, colours * 4)) return {};
  const std::size_t pictureAt = rowsAt.value_or(paletteAt + colours * 4);
  const std::size_t pictureRow = rowSize(width, bitCount);
  const std::size_t maskRow = masked ? rowSize(width, 1) : 0;
  const auto rows = static_cast<std::size_t>(height);
  if (!bytes.holds(pictureAt, (pictureRow + maskRow) * rows)) return {};
  const std::size_t maskAt = pictureAt + pictureRow * rows;

  QImage image(static_cast<int>(width), static_cast<int>(height),
               masked ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < image.height(); ++y) {
    const std::size_t row =
        bottomUp ? rows - 1 - static_cast<std::size_t>(y) : static_cast<std::size_t>(y);
    const std::size_t pictureRowAt = pictureAt + row * pictureRow;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      QRgb colour = 0;
      if (bitCount <= 8) {
        const std::size_t index = bytes.field(pictureRowAt, x, bitCount);
        colour = index < colours ? colourAt(bytes, paletteAt + index * 4) : qRgb(0, 0, 0);
      } else {
        colour = colourAt(bytes, pictureRowAt + static_cast<std::size_t>(x * bitCount / 8));
      }
      const bool transparent = masked && bytes.field(maskAt + row * maskRow, x, 1) != 0;
      line[x] = transparent ? 0 : colour;
    }
  }
  return image;
}

}  // namespace

QImage readWindowsImage(std::span<const std::byte> file) {
  const Bytes bytes(file);
  if (bytes.holds(0, kFileHeaderSize) && bytes.u16(0) == kBitmapSignature) {
    return readBitmap(bytes, kFileHeaderSize, bytes.u32(kPixelsOffsetAt), false);
  }
  if (bytes.holds(0, kDirectorySize + kEntrySize) && bytes.u16(0) == 0 &&
      (bytes.u16(2) == kIconType || bytes.u16(2) == kCursorType) && bytes.u16(4) > 0) {
    return readBitmap(bytes, bytes.u32(kDirectorySize + kEntryImageOffsetAt), std::nullopt, true);
  }
  return {};
}

std::optional<QPoint> readCursorHotSpot(std::span<const std::byte> file) {
  const Bytes bytes(file);
  const std::size_t at = kDirectorySize + kEntryHotSpotAt;
  if (!bytes.holds(at, 4)) return std::nullopt;
  return QPoint(static_cast<int>(bytes.u16(at)), static_cast<int>(bytes.u16(at + 2)));
}

}  // namespace qtplatform
