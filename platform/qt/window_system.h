#pragma once

#include <functional>
#include <memory>

#include "platform/forms/peers.h"

class QKeyEvent;
class QWidget;

namespace qtplatform {

class PictureWidget;
class WindowWidget;

// What a window system says about the program's window beyond Qt's own events.
class NativeWindowEvents {
 public:
  virtual ~NativeWindowEvents() = default;
  // The program asked for this client size: the window system's answers to it, and to older
  // requests, are not the user resizing the window.
  virtual void resizeRequested(graphics::Size client) = 0;
};

// What differs between the window systems under Qt (X11, Wayland): the keys, the window's frame
// and native events, and where a picture box keeps its picture.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Follows `window`'s native events for as long as the result lives; null where Qt's own
  // events tell all there is.
  virtual std::unique_ptr<NativeWindowEvents> watch(WindowWidget& window) = 0;
  // Asks now for the frame that will be put around `window` once it shows. The answer comes
  // meanwhile; the result waits for it, if it must, when called: none where it cannot be known.
  virtual std::function<forms::Margins()> askFrame(WindowWidget& window) = 0;
  // The answer where no frame can be known.
  static std::function<forms::Margins()> unknownFrame() {
    return [] { return forms::Margins{}; };
  }
  // Hands a key release on as the program takes it: `deliver` gets its Windows key code, the
  // main row's digits known by their place on the keyboard. While `deliver` runs, the pointer
  // reads where it was when the key was released, where the window system tells that.
  virtual void deliverKeyRelease(const QKeyEvent& key,
                                 const std::function<void(int keyCode)>& deliver) = 0;
  // The widget that shows a picture box inside `parent`, owned by `parent`.
  virtual PictureWidget* createPictureWidget(QWidget& parent, forms::PeerListener& listener) = 0;
};

}  // namespace qtplatform
