#include "platform/win32/ui/image_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace win32 {
namespace {

// Classic image files are little-endian throughout.
std::uint32_t readLittleEndian(forms::ImageFile file, std::size_t offset, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value =
        (value << 8) | std::to_integer<std::uint32_t>(file[offset + static_cast<std::size_t>(i)]);
  }
  return value;
}

void warnUnreadable(forms::ImageFile file) {
  std::fprintf(stderr, "Orvex: an embedded image (%zu bytes) could not be read\n", file.size());
}

// An icon or cursor file: a directory of images, each entry pointing at a bitmap in the file.
struct DirectoryEntry {
  int width;
  int height;
  std::uint16_t hotSpotX;  // the cursor's; an icon keeps planes and bit count there
  std::uint16_t hotSpotY;
  forms::ImageFile image;
};

constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

std::optional<DirectoryEntry> firstImage(forms::ImageFile file, std::uint16_t type) {
  constexpr std::size_t kDirectoryHeader = 6;
  constexpr std::size_t kEntrySize = 16;
  if (file.size() < kDirectoryHeader + kEntrySize || readLittleEndian(file, 2, 2) != type ||
      readLittleEndian(file, 4, 2) == 0) {
    return std::nullopt;
  }
  const std::size_t entry = kDirectoryHeader;
  const std::size_t bytes = readLittleEndian(file, entry + 8, 4);
  const std::size_t offset = readLittleEndian(file, entry + 12, 4);
  if (offset > file.size() || bytes > file.size() - offset) return std::nullopt;
  // A width or height of 0 stands for 256.
  const auto extent = [](std::uint32_t value) {
    return value == 0 ? 256 : static_cast<int>(value);
  };
  return DirectoryEntry{extent(readLittleEndian(file, entry, 1)),
                        extent(readLittleEndian(file, entry + 1, 1)),
                        static_cast<std::uint16_t>(readLittleEndian(file, entry + 4, 2)),
                        static_cast<std::uint16_t>(readLittleEndian(file, entry + 6, 2)),
                        file.subspan(offset, bytes)};
}

// The resource format of an image is the file's image; Windows reads it from writable memory.
PBYTE resourceBits(std::vector<std::byte>& bytes) { return reinterpret_cast<PBYTE>(bytes.data()); }

constexpr DWORD kIconFormatVersion = 0x00030000;

}  // namespace

UniqueIcon iconFromFile(forms::ImageFile file, int size) {
  const std::optional<DirectoryEntry> entry = firstImage(file, kIconType);
  if (!entry) {
    warnUnreadable(file);
    return nullptr;
  }
  std::vector<std::byte> image(entry->image.begin(), entry->image.end());
  UniqueIcon icon(CreateIconFromResourceEx(resourceBits(image), static_cast<DWORD>(image.size()),
                                           TRUE, kIconFormatVersion, size, size, LR_DEFAULTCOLOR));
  if (!icon) warnUnreadable(file);
  return icon;
}

UniqueCursor cursorFromFile(forms::ImageFile file) {
  const std::optional<DirectoryEntry> entry = firstImage(file, kCursorType);
  if (!entry) {
    warnUnreadable(file);
    return nullptr;
  }
  // A cursor resource is its image after the hot spot.
  std::vector<std::byte> resource(sizeof(std::uint16_t) * 2);
  std::memcpy(resource.data(), &entry->hotSpotX, sizeof entry->hotSpotX);
  std::memcpy(resource.data() + sizeof entry->hotSpotX, &entry->hotSpotY, sizeof entry->hotSpotY);
  resource.insert(resource.end(), entry->image.begin(), entry->image.end());
  UniqueCursor cursor(
      CreateIconFromResourceEx(resourceBits(resource), static_cast<DWORD>(resource.size()), FALSE,
                               kIconFormatVersion, entry->width, entry->height, LR_DEFAULTCOLOR));
  if (!cursor) warnUnreadable(file);
  return cursor;
}

std::optional<Picture> Picture::fromFile(forms::ImageFile file) {
  Picture picture;
  if (const std::optional<DirectoryEntry> entry = firstImage(file, kIconType)) {
    picture.icon_ = iconFromFile(file, entry->width);
    picture.size_ = {entry->width, entry->width};
    if (picture.icon_) return picture;
    return std::nullopt;
  }
  constexpr std::size_t kFileHeader = 14;
  constexpr std::uint32_t kBitmapSignature = 0x4D42;  // "BM"
  if (file.size() < kFileHeader + sizeof(BITMAPINFOHEADER) ||
      readLittleEndian(file, 0, 2) != kBitmapSignature) {
    warnUnreadable(file);
    return std::nullopt;
  }
  const std::size_t bitsOffset = readLittleEndian(file, 10, 4);
  BITMAPINFOHEADER header{};
  std::memcpy(&header, file.data() + kFileHeader, sizeof header);
  const std::size_t rowBytes =
      ((static_cast<std::size_t>(std::abs(header.biWidth)) * header.biBitCount + 31) / 32) * 4;
  const std::size_t bitsSize = rowBytes * static_cast<std::size_t>(std::abs(header.biHeight));
  // Uncompressed only, as the classic bitmaps are: the size of the bits follows from the header.
  if (header.biSize < sizeof header || header.biCompression != BI_RGB ||
      bitsOffset < kFileHeader + header.biSize || bitsOffset > file.size() ||
      bitsSize > file.size() - bitsOffset) {
    warnUnreadable(file);
    return std::nullopt;
  }
  picture.bitmap_.assign(file.begin() + kFileHeader, file.end());
  picture.bitsOffset_ = bitsOffset - kFileHeader;
  picture.size_ = {header.biWidth, std::abs(header.biHeight)};
  return picture;
}

void Picture::draw(HDC target) const {
  if (icon_) {
    DrawIconEx(target, 0, 0, icon_.get(), size_.cx, size_.cy, 0, nullptr, DI_NORMAL);
    return;
  }
  StretchDIBits(target, 0, 0, size_.cx, size_.cy, 0, 0, size_.cx, size_.cy,
                bitmap_.data() + bitsOffset_, reinterpret_cast<const BITMAPINFO*>(bitmap_.data()),
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace win32
