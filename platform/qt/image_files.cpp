#include "platform/qt/image_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <QtDebug>

#include "platform/qt/windows_image_reader.h"

namespace qtplatform {
namespace {

QByteArray bytesOf(forms::ImageFile file) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                 static_cast<qsizetype>(file.size()));
}

}  // namespace

QImage decodeImage(forms::ImageFile file) {
  QImage image = readWindowsImage(file);
  if (image.isNull() && !image.loadFromData(bytesOf(file))) {
    qWarning("Orvex: an embedded image (%zu bytes) could not be read", file.size());
  }
  return image;
}

QCursor decodeCursor(forms::ImageFile file) {
  const QImage image = decodeImage(file);
  const std::optional<QPoint> hotSpot = readCursorHotSpot(file);
  if (image.isNull() || !hotSpot) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(image), hotSpot->x(), hotSpot->y());
}

QImage imageView(const graphics::Bitmap& picture) {
  return {reinterpret_cast<const uchar*>(picture.row(0)), picture.width(), picture.height(),
          static_cast<qsizetype>(picture.stride() * sizeof(graphics::Pixel)), QImage::Format_RGB32};
}

std::string encodePicture(const graphics::Bitmap& picture, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!imageView(picture).save(&buffer, format)) return {};
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace qtplatform
