#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <chrono>
#include <vector>

#include "platform/qt/native_widget.h"
#include "tests/peers/peer_fixture.h"
#include "tests/x11/test_display.h"
#include "tests/x11/wait_until.h"

// The Qt peers on the test's virtual X server. The user is played by xdotool (keys, clicks,
// the window manager's resize) and QCursor::setPos (pointer moves).
namespace qt_peer_test {

// One application for the whole test program, made on first use; an x11::Desktop needs it too,
// since its window system follows Qt's native events. It is never destroyed: tearing Qt down
// among other statics at exit crashes, and the process ends right after.
QApplication& application();

// Between two looks: Qt's event loop, until something came in, at the latest after
// kLookInterval.
void runQtEvents();

// Waits as the tests of this process must: what they wait for comes in through Qt's event loop.
template <typename Condition>
bool waitRunningQt(Condition condition, std::chrono::milliseconds timeout = kPatience) {
  return waitUntil(condition, timeout, runQtEvents);
}

void xdotool(const QStringList& arguments);

// The messages of this process that the user can see: the X server shows them, inside the
// screen. Qt's isVisible() says only that Qt was asked to show them.
std::vector<QDialog*> messagesOnScreen(const TestDisplay& display);
// Every text that a message shows, a line each.
QString textOf(const QDialog& message);

// The Qt peers, for what only Qt's peers do, with the test's own view of the display.
class QtPeerTest : public peer_test::PeerTest {
 protected:
  QWidget& windowWidget() { return qtplatform::nativeWidgetOf(*window); }

  TestDisplay display;
};

}  // namespace qt_peer_test
