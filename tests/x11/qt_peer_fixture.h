#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/qt/native_widget.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/x11/connection.h"
#include "platform/x11/pointer.h"
#include "platform/x11/qt/window_system.h"
#include "tests/x11/test_display.h"
#include "tests/x11/user_ping.h"
#include "tests/x11/user_screen.h"
#include "tests/x11/wait_until.h"

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

// Between two looks: Qt's event loop, until something came in, at the latest after
// kLookInterval.
inline void runQtEvents() {
  QTimer wakeUp;
  wakeUp.start(kLookInterval);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Waits as the tests of this process must: what they wait for comes in through Qt's event loop.
template <typename Condition>
bool waitRunningQt(Condition condition, std::chrono::milliseconds timeout = kPatience) {
  return waitUntil(condition, timeout, runQtEvents);
}

inline void xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << "xdotool failed";
}

inline void movePointerTo(QWidget& widget, QPoint position) {
  QCursor::setPos(widget.mapToGlobal(position));
}

// The messages of this process that the user can see: the X server shows them, inside the
// screen. Qt's isVisible() says only that Qt was asked to show them.
inline std::vector<QDialog*> messagesOnScreen(const TestDisplay& display) {
  const UserScreen screen(display);
  std::vector<QDialog*> shown;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* message = qobject_cast<QDialog*>(widget);
    if (message != nullptr && message->internalWinId() != 0 &&
        display.viewable(message->internalWinId()) &&
        QRect(QPoint(), screen.size()).contains(screen.clientArea(message->internalWinId()))) {
      shown.push_back(message);
    }
  }
  return shown;
}

// Every text that a message shows, a line each.
inline QString textOf(const QDialog& message) {
  QStringList texts;
  for (const QLabel* label : message.findChildren<QLabel*>()) texts << label->text();
  return texts.join(QLatin1Char('\n'));
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
  void openWindow(graphics::Size client) {
    window = toolkit.createWindow(windowEvents);
    window->setCaption("ピア試験");
    window->resizeClient(client);
  }
  // Shows the window and waits until it has the keyboard.
  void showWindow() {
    window->show();
    ASSERT_TRUE(waitRunningQt([&] { return QApplication::activeWindow() == &windowWidget(); }))
        << "the window never became active";
  }
  QWidget& windowWidget() { return qtplatform::nativeWidgetOf(*window); }

  // Returns once the window manager has handled every request made so far (Qt's too) and Qt has
  // handled all that the server sent it meanwhile: a check that something did not happen looks
  // after this.
  void settle() {
    QGuiApplication::sync();  // Qt's requests have reached the server
    ASSERT_TRUE(display.windowManagerCaughtUp()) << "the window manager did not answer";
    ASSERT_TRUE(waitUntilHandled(display, windowWidget().winId(), kPatience, runQtEvents))
        << "Qt did not answer";
    QCoreApplication::processEvents();  // what the events before the answer left to deliver
  }

  QApplication& app = application();  // before anything of Qt's is made
  TestDisplay display;
  x11::Connection connection;
  x11::Pointer pointer{connection};
  x11::WindowSystem windowSystem{pointer, nullptr};
  qtplatform::QtToolkit toolkit{windowSystem};
  Recorder windowEvents;
  std::unique_ptr<forms::WindowPeer> window;
};

}  // namespace qt_peer_test
