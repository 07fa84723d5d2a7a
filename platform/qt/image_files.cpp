#include "platform/qt/image_files.h"

#include <QByteArray>
#include <QPixmap>
#include <QtDebug>

namespace qtplatform {
namespace {

QByteArray bytesOf(forms::ImageFile file) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                 static_cast<qsizetype>(file.size()));
}

int littleEndian16(forms::ImageFile file, std::size_t offset) {
  return std::to_integer<int>(file[offset]) | (std::to_integer<int>(file[offset + 1]) << 8);
}

}  // namespace

QImage decodeImage(forms::ImageFile file) {
  QImage image;
  if (!image.loadFromData(bytesOf(file))) {
    qWarning("Orvex: an embedded image (%zu bytes) could not be read", file.size());
  }
  return image;
}

QCursor decodeCursor(forms::ImageFile file) {
  // The hot spot sits in the first directory entry, where an icon keeps planes and bit count.
  constexpr std::size_t kHotSpotOffset = 10;
  const QImage image = decodeImage(file);
  if (image.isNull() || file.size() < kHotSpotOffset + 4) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(image), littleEndian16(file, kHotSpotOffset),
                 littleEndian16(file, kHotSpotOffset + 2));
}

}  // namespace qtplatform
