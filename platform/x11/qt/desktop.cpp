#include "platform/x11/qt/desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>

#include "platform/qt/image_files.h"

namespace x11 {
namespace {

// While we wait for a started program's window, ours keeps painting and Qt keeps serving what
// it holds of the clipboard (text copied from the text box: kolourpaint asks for the clipboard
// before it shows its window), but no handler runs meanwhile: no user input, no timers.
void keepServing() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                  QEventLoop::X11ExcludeTimers);
}

}  // namespace

Desktop::Desktop()
    : screenReader_(connection_),
      compositor_(ScreenCompositor::open(connection_, screenReader_)),
      programs_(connection_, keepServing),
      clipboard_(qtplatform::encodePicture) {}

void Desktop::Beep() { QApplication::beep(); }

void Desktop::handOverClipboard() {
  // Text selected in the text box is Qt's to serve, and Qt would offer it to a clipboard
  // manager at exit and wait up to five seconds for it; nobody pastes that after we are gone.
  QClipboard* qtClipboard = QGuiApplication::clipboard();
  if (qtClipboard != nullptr && qtClipboard->ownsSelection()) {
    qtClipboard->clear(QClipboard::Selection);
  }
  clipboard_.handOver();
}

}  // namespace x11
