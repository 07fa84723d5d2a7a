#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>

#include "platform/qt/image_files.h"

namespace qtplatform {
namespace {

// While we wait for a started program's window, ours keeps painting and Qt keeps serving what
// it holds of the clipboard (text copied from the text box: kolourpaint asks for the clipboard
// before it shows its window), but no handler runs meanwhile: no user input, no timers.
void keepServing() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                  QEventLoop::X11ExcludeTimers);
}

}  // namespace

QtDesktop::QtDesktop()
    : screenReader_(connection_),
      compositor_(x11::ScreenCompositor::open(connection_, screenReader_)),
      programs_(connection_, keepServing),
      clipboard_(encodePicture) {}

void QtDesktop::Beep() { QApplication::beep(); }

void QtDesktop::handOverClipboard() {
  // Text selected in the text box is Qt's to serve, and Qt would offer it to a clipboard
  // manager at exit and wait up to five seconds for it; nobody pastes that after we are gone.
  QClipboard* qtClipboard = QGuiApplication::clipboard();
  if (qtClipboard != nullptr && qtClipboard->ownsSelection()) {
    qtClipboard->clear(QClipboard::Selection);
  }
  clipboard_.handOver();
}

}  // namespace qtplatform
