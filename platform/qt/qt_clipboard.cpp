#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/forms/runtime_error.h"
#include "platform/qt/image_files.h"

namespace qtplatform {
namespace {

QClipboard& systemClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();  // null before the application exists
  if (clipboard == nullptr) throw forms::RuntimeError::clipboardUnavailable();
  return *clipboard;
}

}  // namespace

void QtClipboard::Clear() { systemClipboard().clear(); }

void QtClipboard::SetData(const graphics::Bitmap& picture) {
  systemClipboard().setImage(imageView(picture).copy());
}

}  // namespace qtplatform
