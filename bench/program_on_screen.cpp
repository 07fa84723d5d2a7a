#include "bench/program_on_screen.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "modes/mode_captions.h"
#include "platform/qt/native_widget.h"
// Last: Xlib's macros (None, Status, ...) clash with Qt's names.
#include <X11/Xlib.h>

namespace bench {
namespace {

// What the window keeps below the view: the button row and the lens bar.
constexpr int kControlStripPixels = 65;
// A paint that has not come by then is not coming.
constexpr int kPaintTimeoutMs = 2000;

// One round trip on Qt's own connection: the server has handled all Qt sent before it.
void syncQtWithServer() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

}  // namespace

class ProgramOnScreen::PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int count() const { return count_; }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  int count_ = 0;
};

ProgramOnScreen::ProgramOnScreen() {
  form_.Start();
  viewPaints_ = std::make_unique<PaintCounter>(viewWidget());
  holdLiveViewTimer();
  settle(500);
}

ProgramOnScreen::~ProgramOnScreen() = default;

QWidget& ProgramOnScreen::viewWidget() {
  return qtplatform::nativeWidgetOf(form_.Picture1.widgetPeer());
}

graphics::Size ProgramOnScreen::viewSize() {
  const QWidget& view = viewWidget();
  return {view.width(), view.height()};
}

void ProgramOnScreen::holdLiveViewTimer() { form_.Timer1.setEnabled(false); }

void ProgramOnScreen::startVideoMode() {
  if (form_.Command1.Caption() != mode_captions::kRunning) form_.Command1_Click();
  holdLiveViewTimer();
}

void ProgramOnScreen::startCameraMode() {
  if (form_.Command2.Caption() != mode_captions::kRunning) form_.Command2_Click();
  holdLiveViewTimer();
}

bool ProgramOnScreen::showView(graphics::Size view) {
  if (viewSize() == view) return true;
  const forms::Margins frame = form_.windowPeer().frameMargins();
  const platform::Screen& screen = desktop_.screen();
  form_.setWidth(static_cast<float>(view.width + frame.left + frame.right) *
                 screen.TwipsPerPixelX());
  form_.setHeight(static_cast<float>(view.height + kControlStripPixels + frame.top + frame.bottom) *
                  screen.TwipsPerPixelY());
  settle(300);
  holdLiveViewTimer();
  return viewSize() == view;
}

void ProgramOnScreen::setLensBar(std::int16_t tenths) { form_.HScroll1.setValue(tenths); }

void ProgramOnScreen::requestViewRepaint() { viewWidget().update(); }

void ProgramOnScreen::presentView() {
  const int paintsBefore = viewPaints_->count();
  QElapsedTimer waited;
  waited.start();
  while (viewPaints_->count() == paintsBefore && waited.elapsed() < kPaintTimeoutMs) {
    QCoreApplication::processEvents();
  }
  syncQtWithServer();
  syncDesktopWithServer();
}

void ProgramOnScreen::syncDesktopWithServer() {
  // The view's picture is drawn and shown through the desktop's own connection.
  if (const x11::ScreenCompositor* compositor = realDesktop_.compositor()) {
    XSync(compositor->connection().display(), False);
  }
}

void ProgramOnScreen::settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
  syncQtWithServer();
  syncDesktopWithServer();
}

}  // namespace bench
