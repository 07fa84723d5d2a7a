#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>

#include "platform/forms/runtime_error.h"

namespace qtplatform {
namespace {

QImage toImage(const graphics::Bitmap& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    std::copy_n(picture.row(y), picture.width(),
                reinterpret_cast<graphics::Pixel*>(image.scanLine(y)));
  }
  return image;
}

QClipboard& systemClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();  // null before the application exists
  if (clipboard == nullptr) throw forms::RuntimeError::clipboardUnavailable();
  return *clipboard;
}

}  // namespace

void QtClipboard::Clear() { systemClipboard().clear(); }

void QtClipboard::SetData(const graphics::Bitmap& picture) {
  systemClipboard().setImage(toImage(picture));
}

}  // namespace qtplatform
