#include "platform/x11/qt/desktop.h"

#include <QApplication>

#include "platform/qt/timer_peer.h"
#include "platform/x11/paint_program.h"

namespace x11 {

Desktop::Desktop()
    : screenReader_(connection_),
      compositor_(ScreenCompositor::open(connection_, screenReader_)),
      paint_([this] { return startPaintProgram(connection_, keySender_); },
             [](forms::PeerListener& listener) {
               return std::make_unique<qtplatform::QtTimerPeer>(listener);
             }) {}

void Desktop::Beep() { QApplication::beep(); }

}  // namespace x11
