#include "platform/x11/qt/desktop.h"

#include <QApplication>
#include <QClipboard>

#include "platform/qt/image_files.h"
#include "platform/qt/timer_peer.h"
#include "platform/x11/paint_program.h"

namespace x11 {

Desktop::Desktop()
    : screenReader_(connection_),
      compositor_(ScreenCompositor::open(connection_, screenReader_)),
      paint_([this] { return startPaintProgram(connection_, keySender_); },
             [](forms::PeerListener& listener) {
               return std::make_unique<qtplatform::QtTimerPeer>(listener);
             }),
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
