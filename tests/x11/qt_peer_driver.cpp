// The Qt peers' driver of the behaviour tests that every toolkit's peers pass.
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <cstdlib>
#include <map>

#include "platform/qt/qt_toolkit.h"
#include "platform/x11/connection.h"
#include "platform/x11/pointer.h"
#include "platform/x11/qt/window_system.h"
#include "tests/x11/qt_peer_fixture.h"
#include "tests/x11/user_ping.h"
#include "tests/x11/user_screen.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace qt_peer_test {

QApplication& application() {
  if (QApplication::instance() == nullptr) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    static int argc = 1;
    static char name[] = "qt_peer_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  return *qApp;
}

void runQtEvents() {
  QTimer wakeUp;
  wakeUp.start(kLookInterval);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0) << "xdotool failed";
}

std::vector<QDialog*> messagesOnScreen(const TestDisplay& display) {
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

QString textOf(const QDialog& message) {
  QStringList texts;
  for (const QLabel* label : message.findChildren<QLabel*>()) texts << label->text();
  return texts.join(QLatin1Char('\n'));
}

namespace {

using peer_test::Point;

// The keysym names that xdotool types the virtual keys of the tests with.
QString keyName(int virtualKey) {
  namespace key = peer_test::key;
  static const std::map<int, QString> kNames = {
      {key::kTab, "Tab"},     {key::kShift, "shift"},    {key::kControl, "ctrl"},
      {key::kSpace, "space"}, {key::kPageUp, "Page_Up"}, {key::kPageDown, "Page_Down"},
      {key::kEnd, "End"},     {key::kHome, "Home"},      {key::kLeft, "Left"},
      {key::kUp, "Up"},       {key::kRight, "Right"},    {key::kDown, "Down"}};
  if (const auto named = kNames.find(virtualKey); named != kNames.end()) return named->second;
  return QString(QChar(virtualKey)).toLower();  // a letter or a digit
}

QPoint qtPoint(Point at) { return {at.x, at.y}; }

class QtPeerDriver final : public peer_test::PeerDriver {
 public:
  forms::Toolkit& toolkit() override { return toolkit_; }

  bool waitUntil(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout) override {
    return waitRunningQt(condition, timeout);
  }
  void letEventsIn() override { runQtEvents(); }

  // The window manager has handled every request made so far (Qt's too) and Qt has handled
  // all that the server sent it meanwhile.
  void settle() override {
    QGuiApplication::sync();  // Qt's requests have reached the server
    EXPECT_TRUE(display_.windowManagerCaughtUp()) << "the window manager did not answer";
    if (shown_) {
      EXPECT_TRUE(waitUntilHandled(display_, shown_->winId(), kPatience, runQtEvents))
          << "Qt did not answer";
    }
    QCoreApplication::processEvents();  // what the events before the answer left to deliver
  }

  bool showActive(forms::WindowPeer& window) override {
    window.show();
    shown_ = &qtplatform::nativeWidgetOf(window);
    return waitRunningQt([&] { return QApplication::activeWindow() == shown_; });
  }

  void pressKey(int virtualKey) override { xdotool({"key", keyName(virtualKey)}); }
  void holdKey(int virtualKey, bool down) override {
    xdotool({down ? "keydown" : "keyup", keyName(virtualKey)});
  }
  void movePointerTo(forms::WindowPeer& window, Point at) override {
    QCursor::setPos(qtplatform::nativeWidgetOf(window).mapToGlobal(qtPoint(at)));
  }
  void movePointerTo(forms::WidgetPeer& control, Point at) override {
    QCursor::setPos(qtplatform::nativeWidgetOf(control).mapToGlobal(qtPoint(at)));
  }
  void click() override { xdotool({"click", "1"}); }
  // X11 has the wheel as buttons: 4 turns it away from the user, 5 towards.
  void turnWheel(forms::WidgetPeer& control, Point at, int notches) override {
    movePointerTo(control, at);
    xdotool({"click", "--repeat", QString::number(std::abs(notches)), notches > 0 ? "4" : "5"});
  }
  void resizeAsUser(forms::WindowPeer& window, graphics::Size client) override {
    xdotool({"windowsize", QString::number(qtplatform::nativeWidgetOf(window).winId()),
             QString::number(client.width), QString::number(client.height)});
  }

  graphics::Pixel pixelAt(forms::WidgetPeer& control, Point at) override {
    return qtplatform::nativeWidgetOf(control).grab().toImage().pixel(qtPoint(at)) & 0xFFFFFFU;
  }
  std::vector<std::string> linesShown(forms::TextBoxPeer& text) override {
    std::vector<std::string> lines;
    for (const QString& line : editorOf(text).toPlainText().split(QChar('\n')))
      lines.push_back(line.toStdString());
    return lines;
  }
  bool showsVerticalScrollBar(forms::TextBoxPeer& text) override {
    return editorOf(text).verticalScrollBar()->isVisible();
  }
  bool topmostAt(forms::WindowPeer& window, Point at, forms::WidgetPeer& control) override {
    return qtplatform::nativeWidgetOf(window).childAt(qtPoint(at)) ==
           &qtplatform::nativeWidgetOf(control);
  }
  std::optional<peer_test::PointerShape> pointerShown(forms::WidgetPeer& control,
                                                      Point /*at*/) override {
    const QCursor cursor = qtplatform::nativeWidgetOf(control).cursor();
    if (cursor.shape() == Qt::ArrowCursor) return std::nullopt;
    const QSize size = cursor.pixmap().size();
    return peer_test::PointerShape{{cursor.hotSpot().x(), cursor.hotSpot().y()},
                                   {size.width(), size.height()}};
  }

  // The frame, once the window manager has reparented the window into it.
  std::optional<forms::Margins> shownFrame(forms::WindowPeer& window) override {
    const auto native = static_cast<Window>(qtplatform::nativeWidgetOf(window).winId());
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_.get(), native, &root, &parent, &children, &count) == 0) return {};
    if (children != nullptr) XFree(children);
    const auto frame = screen_.frameExtents(native);
    if (parent == root || !frame) return {};
    return forms::Margins{frame->left(), frame->top(), frame->right(), frame->bottom()};
  }
  graphics::Size shownClientSize(forms::WindowPeer& window) override {
    const QRect area = screen_.clientArea(qtplatform::nativeWidgetOf(window).winId());
    return {area.width(), area.height()};
  }
  std::string shownCaption(forms::WindowPeer& window) override {
    return screen_.titleOf(qtplatform::nativeWidgetOf(window).winId());
  }
  bool showsIcon(forms::WindowPeer& window) override {
    return !display_
                .property(qtplatform::nativeWidgetOf(window).winId(), "_NET_WM_ICON", XA_CARDINAL)
                .empty();
  }
  bool takesInput(forms::WindowPeer& window) override {
    return qtplatform::nativeWidgetOf(window).isEnabled() &&
           QApplication::activeModalWidget() == nullptr;
  }

  std::vector<peer_test::ShownMessage> shownMessages() override {
    std::vector<peer_test::ShownMessage> shown;
    for (const QDialog* message : messagesOnScreen(display_)) {
      shown.push_back({message->windowTitle().toStdString(), textOf(*message).toStdString()});
    }
    return shown;
  }
  void closeMessages() override {
    for (QDialog* message : messagesOnScreen(display_)) message->close();
    EXPECT_TRUE(waitRunningQt([&] { return messagesOnScreen(display_).empty(); }));
  }
  std::optional<std::string> shownStatus() override {
    if (!QToolTip::isVisible()) return std::nullopt;
    return QToolTip::text().toStdString();
  }

 private:
  static QPlainTextEdit& editorOf(forms::TextBoxPeer& text) {
    return *qtplatform::nativeWidgetOf(text).findChild<QPlainTextEdit*>();
  }

  QApplication& app_ = application();  // before anything of Qt's is made
  TestDisplay display_;
  UserScreen screen_{display_};
  x11::Connection connection_;
  x11::Pointer pointer_{connection_};
  x11::WindowSystem windowSystem_{pointer_, nullptr};
  qtplatform::QtToolkit toolkit_{windowSystem_};
  QPointer<QWidget> shown_;
};

}  // namespace
}  // namespace qt_peer_test

std::unique_ptr<peer_test::PeerDriver> peer_test::makePeerDriver() {
  return std::make_unique<qt_peer_test::QtPeerDriver>();
}
