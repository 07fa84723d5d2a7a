#include "tools/windows_image_files.h"

#include <stdexcept>

#include "tools/byte_writer.h"

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

std::uint32_t rowBytes(int width, int bitsPerPixel) {
  return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

void writeInfoHeader(ByteWriter& out, int width, int height, int bitsPerPixel,
                     std::uint32_t imageBytes) {
  out.u32(kInfoHeaderSize);
  out.i32(width);
  out.i32(height);
  out.u16(1);  // planes
  out.u16(static_cast<std::uint16_t>(bitsPerPixel));
  out.u32(0);  // uncompressed
  out.u32(imageBytes);
  out.i32(0);  // no preferred resolution
  out.i32(0);
  out.u32(0);  // every palette entry used
  out.u32(0);
}

// Packs one row of indices, leftmost pixel in the highest bits, padded to four bytes.
std::vector<std::uint8_t> packRow(const MaskedImage& image, int y, int bitsPerPixel, bool mask) {
  std::vector<std::uint8_t> row(rowBytes(MaskedImage::kSide, bitsPerPixel));
  for (int x = 0; x < MaskedImage::kSide; ++x) {
    const std::size_t at = MaskedImage::at(x, y);
    const unsigned value =
        mask ? (image.transparent[at] ? 1U : 0U) : (image.transparent[at] ? 0U : image.index[at]);
    const int bit = x * bitsPerPixel;
    const int shift = 8 - bitsPerPixel - bit % 8;
    row[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(value << shift);
  }
  return row;
}

// The image as icons and cursors store it: the header counts XOR and AND bitmaps as one
// picture of double height; rows run bottom-up; transparent pixels are 0 in the XOR bitmap.
std::vector<std::uint8_t> encodeMaskedDib(const MaskedImage& image, const Palette& palette,
                                          int bitsPerPixel) {
  if (palette.size() != (1U << bitsPerPixel))
    throw std::invalid_argument("palette size does not match depth");
  const std::uint32_t xorBytes = rowBytes(MaskedImage::kSide, bitsPerPixel) * MaskedImage::kSide;
  const std::uint32_t andBytes = rowBytes(MaskedImage::kSide, 1) * MaskedImage::kSide;
  ByteWriter out;
  writeInfoHeader(out, MaskedImage::kSide, 2 * MaskedImage::kSide, bitsPerPixel,
                  xorBytes + andBytes);
  for (const std::uint32_t colour : palette) {
    out.u32(colour);  // 0x00RRGGBB is RGBQUAD's blue, green, red, reserved in little-endian order
  }
  for (int y = MaskedImage::kSide - 1; y >= 0; --y)
    out.bytes(packRow(image, y, bitsPerPixel, false));
  for (int y = MaskedImage::kSide - 1; y >= 0; --y) out.bytes(packRow(image, y, 1, true));
  return out.take();
}

// A one-image directory. Icons keep planes and depth in the entry; cursors keep the hot spot.
std::vector<std::uint8_t> encodeDirectoryFile(std::uint16_t type, std::uint8_t colourCount,
                                              std::uint16_t first, std::uint16_t second,
                                              const std::vector<std::uint8_t>& dib) {
  constexpr std::uint32_t kDirectoryBytes = 6 + 16;
  ByteWriter out;
  out.u16(0);
  out.u16(type);
  out.u16(1);  // one image
  out.u8(MaskedImage::kSide);
  out.u8(MaskedImage::kSide);
  out.u8(colourCount);
  out.u8(0);
  out.u16(first);
  out.u16(second);
  out.u32(static_cast<std::uint32_t>(dib.size()));
  out.u32(kDirectoryBytes);
  out.bytes(dib);
  return out.take();
}

}  // namespace

std::vector<std::uint8_t> encodeIcon(const MaskedImage& image, const Palette& palette) {
  constexpr int kDepth = 4;
  return encodeDirectoryFile(kIconType, 16, 1, kDepth, encodeMaskedDib(image, palette, kDepth));
}

std::vector<std::uint8_t> encodeCursor(const MaskedImage& image, int hotSpotX, int hotSpotY) {
  const Palette blackAndWhite{0x000000, 0xFFFFFF};
  return encodeDirectoryFile(kCursorType, 2, static_cast<std::uint16_t>(hotSpotX),
                             static_cast<std::uint16_t>(hotSpotY),
                             encodeMaskedDib(image, blackAndWhite, 1));
}

std::vector<std::uint8_t> encodeBitmap(const QImage& image) {
  constexpr std::uint32_t kHeadersBytes = 14 + kInfoHeaderSize;
  const std::uint32_t stride = rowBytes(image.width(), 24);
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height());
  ByteWriter out;
  out.u8('B');
  out.u8('M');
  out.u32(kHeadersBytes + pixelBytes);
  out.u32(0);
  out.u32(kHeadersBytes);
  writeInfoHeader(out, image.width(), image.height(), 24, pixelBytes);
  for (int y = image.height() - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride);
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      const std::size_t at = 3 * static_cast<std::size_t>(x);
      row[at] = static_cast<std::uint8_t>(qBlue(pixel));
      row[at + 1] = static_cast<std::uint8_t>(qGreen(pixel));
      row[at + 2] = static_cast<std::uint8_t>(qRed(pixel));
    }
    out.bytes(row);
  }
  return out.take();
}
