#include "platform/x11/qt/desktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>

namespace x11 {
namespace {

// A program just started may ask for our clipboard before it shows its window (kolourpaint
// does, to enable its Paste) and waits for the answer: keep serving it while we wait for that
// window, but let no handler run meanwhile: no user input, no timers.
void serveClipboardRequests() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                  QEventLoop::X11ExcludeTimers);
}

}  // namespace

Desktop::Desktop()
    : screenReader_(connection_),
      compositor_(ScreenCompositor::open(connection_, screenReader_)),
      programs_(connection_, serveClipboardRequests) {}

void Desktop::Beep() { QApplication::beep(); }

}  // namespace x11
