#pragma once

#include <QImage>
#include <QPoint>
#include <cstddef>
#include <optional>
#include <span>

namespace qtplatform {

// Reads the classic Windows image files the program carries straight into an image: a .bmp
// (uncompressed, 1, 4, 8, 24 or 32 bits per pixel) as RGB32, the first image of an .ico or .cur
// (up to 24 bits, with its AND mask) as premultiplied ARGB32. Qt's readers would do as well, but
// the first image read through them loads its image plugins and builds colour tables: milliseconds
// of the program's start. A null image for anything else (compressed, an icon with an alpha channel
// or a PNG inside, cut short or out of bounds).
QImage readWindowsImage(std::span<const std::byte> file);

// The hot spot of a .cur file's first pointer; nothing for a file too short to have one.
std::optional<QPoint> readCursorHotSpot(std::span<const std::byte> file);

}  // namespace qtplatform
