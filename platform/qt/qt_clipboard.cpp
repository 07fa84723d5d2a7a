#include "platform/qt/qt_clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/x11/clipboard_keeper.h"

namespace qtplatform {
namespace {

// The X server tells Qt at once that the keeper took the clipboard; this only bounds the wait
// if Qt never hears of it.
constexpr int kHandOverNoticeMs = 1000;

// `picture` as a QImage, in the memory of `spare` if that fits and nobody else holds it: a capture
// after a capture of the same size takes no new memory.
QImage toImage(const graphics::Bitmap& picture, QImage spare) {
  QImage image = spare.size() == QSize(picture.width(), picture.height()) && spare.isDetached()
                     ? std::move(spare)
                     : QImage(picture.width(), picture.height(), QImage::Format_RGB32);
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

QByteArray encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  return image.save(&buffer, format) ? bytes : QByteArray();
}

std::string_view viewOf(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Until Qt has handled the X server's notice that we no longer own the clipboard, it would
// still offer it to a clipboard manager at exit and wait for the answer.
void waitUntilQtLetGo(const QClipboard& clipboard) {
  const QDeadlineTimer deadline(kHandOverNoticeMs);
  while (clipboard.ownsClipboard() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
    QThread::msleep(1);
  }
}

}  // namespace

void QtClipboard::Clear() {
  systemClipboard().clear();
  // Qt has let go of its copy: the memory serves the next picture.
  spare_ = std::exchange(picture_, QImage());
}

void QtClipboard::SetData(const graphics::Bitmap& picture) {
  picture_ = toImage(picture, std::exchange(spare_, QImage()));
  systemClipboard().setImage(picture_);
}

void QtClipboard::handOver() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return;
  // Text selected in the text box is ours too, and Qt would offer it to a clipboard manager
  // at exit and wait as long; nobody pastes that after we are gone.
  if (clipboard->ownsSelection()) clipboard->clear(QClipboard::Selection);
  if (picture_.isNull() || !clipboard->ownsClipboard()) return;
  // Encoded here, where Qt is: PNG for today's programs, BMP for older ones and Wine.
  const QByteArray png = encoded(picture_, "PNG");
  const QByteArray bmp = encoded(picture_, "BMP");
  if (png.isEmpty() || bmp.isEmpty()) return;
  if (!x11::startClipboardKeeper({{"image/png", viewOf(png)}, {"image/bmp", viewOf(bmp)}})) {
    return;  // Qt's own hand-over at exit is all there is then
  }
  waitUntilQtLetGo(*clipboard);
}

}  // namespace qtplatform
