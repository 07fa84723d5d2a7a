#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/qt/native_widget.h"
#include "platform/qt/qt_toolkit.h"

// The Qt peers on the test's virtual X server, with a listener that records what they report.
// The user is played by xdotool (keys, clicks) and QCursor::setPos (pointer moves).
namespace qt_peer_test {

// One application for the whole test program, made on first use. It is never destroyed:
// tearing Qt down among other statics at exit crashes, and the process ends right after.
inline QApplication& application() {
  if (QApplication::instance() == nullptr) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    static int argc = 1;
    static char name[] = "qt_peer_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  return *qApp;
}

// Runs the event loop until `condition` holds, at most `timeoutMs`.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Lets the event loop run for a while, so that late events (the window manager's) arrive.
inline void settle(int milliseconds) {
  waitUntil([] { return false; }, milliseconds);
}

inline void xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << "xdotool failed";
}

inline void movePointerTo(QWidget& widget, QPoint position) {
  QCursor::setPos(widget.mapToGlobal(position));
}

class Recorder final : public forms::PeerListener {
 public:
  int clicks = 0;
  std::vector<forms::MouseArgs> moves;
  std::vector<int> scrolls;
  std::vector<std::string> edits;
  std::vector<std::pair<int, int>> keys;  // key code, shift
  std::vector<graphics::Size> resizes;

  void peerClicked() override { ++clicks; }
  void peerMouseMoved(const forms::MouseArgs& args) override { moves.push_back(args); }
  void peerScrolled(int value) override { scrolls.push_back(value); }
  void peerTextEdited(const std::string& text) override { edits.push_back(text); }
  void peerKeyReleased(int keyCode, int shift) override { keys.emplace_back(keyCode, shift); }
  void peerResized(graphics::Size client) override { resizes.push_back(client); }
};

// A shown, active window of the given client size, ready for controls.
class QtPeerTest : public ::testing::Test {
 protected:
  QtPeerTest() { application(); }

  void openWindow(graphics::Size client) {
    window = toolkit.createWindow(windowEvents);
    window->setCaption("ピア試験");
    window->resizeClient(client);
  }
  // Shows the window and waits until it has the keyboard.
  void showWindow() {
    window->show();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &windowWidget(); }))
        << "the window never became active";
  }
  QWidget& windowWidget() { return qtplatform::nativeWidgetOf(*window); }

  qtplatform::QtToolkit toolkit;
  Recorder windowEvents;
  std::unique_ptr<forms::WindowPeer> window;
};

}  // namespace qt_peer_test
