#pragma once

#include <cstdint>
#include <memory>

#include "app/form1.h"
#include "bench/fixed_cursor_desktop.h"
#include "platform/forms/runtime.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/x11/qt/desktop.h"

class QWidget;

namespace bench {

// Form1 on the real backends, its window shown on the X server, with a pointer the benchmark
// places. Needs a QApplication. The live-view timer is kept off: benchmarks tick by hand.
class ProgramOnScreen {
 public:
  ProgramOnScreen();
  ~ProgramOnScreen();
  ProgramOnScreen(const ProgramOnScreen&) = delete;
  ProgramOnScreen& operator=(const ProgramOnScreen&) = delete;

  Form1& form() { return form_; }
  void placeCursor(std::int32_t x, std::int32_t y) { desktop_.placeCursor({x, y}); }

  void startVideoMode();
  void startCameraMode();
  // Sizes the window so that the view gets `view` pixels; false when it got another size.
  bool showView(graphics::Size view);
  // The view's size in pixels, without reading its picture back.
  graphics::Size viewSize();
  // Moves the lens bar, as the user would: 1 to 40 tenths.
  void setLensBar(std::int16_t tenths);

  // Runs the event loop until the view has repainted, then waits until the X server has
  // taken everything Qt and the desktop sent it.
  void presentView();
  // Asks for a repaint of the whole view, as a tick does.
  void requestViewRepaint();
  // Runs the event loop for a while, so that the window manager's answers arrive.
  void settle(int milliseconds);

 private:
  class PaintCounter;
  QWidget& viewWidget();
  void holdLiveViewTimer();
  void syncDesktopWithServer();

  x11::Desktop realDesktop_;
  FixedCursorDesktop desktop_{realDesktop_};
  qtplatform::QtToolkit toolkit_{realDesktop_.windowSystem()};
  forms::Runtime runtime_{toolkit_, desktop_};
  Form1 form_{runtime_};
  std::unique_ptr<PaintCounter> viewPaints_;
};

}  // namespace bench
