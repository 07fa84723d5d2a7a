#include "platform/qt/qt_desktop.h"

#include <QApplication>

#include "platform/qt/timer_peer.h"
#include "platform/x11/paint_program.h"

namespace qtplatform {

QtDesktop::QtDesktop()
    : screenReader_(connection_),
      compositor_(x11::ScreenCompositor::open(connection_, screenReader_)),
      paint_(
          [this] { return x11::startPaintProgram(connection_, keySender_); },
          [](forms::PeerListener& listener) { return std::make_unique<QtTimerPeer>(listener); }) {}

void QtDesktop::Beep() { QApplication::beep(); }

}  // namespace qtplatform
