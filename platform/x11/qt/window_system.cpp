#include "platform/x11/qt/window_system.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <chrono>

#include "platform/qt/picture_widget.h"
#include "platform/x11/frame_extents.h"
#include "platform/x11/qt/server_picture_widget.h"
#include "platform/x11/qt/window_events.h"
#include "platform/x11/virtual_keys.h"

namespace x11 {
namespace {

// The window manager answers within milliseconds; one that does not answer at all costs no more
// than this at start-up.
constexpr std::chrono::milliseconds kFrameAnswerTimeout{200};

// The pointer reads a key's place while the key is handled, and where it is now afterwards.
class EventPlaceScope {
 public:
  EventPlaceScope(Pointer& pointer, std::optional<PointerPosition> place) : pointer_(pointer) {
    pointer_.setEventPlace(place);
  }
  ~EventPlaceScope() { pointer_.setEventPlace(std::nullopt); }
  EventPlaceScope(const EventPlaceScope&) = delete;
  EventPlaceScope& operator=(const EventPlaceScope&) = delete;

 private:
  Pointer& pointer_;
};

}  // namespace

WindowSystem::WindowSystem(Pointer& pointer, ScreenCompositor* compositor)
    : pointer_(pointer), compositor_(compositor) {}

std::unique_ptr<qtplatform::NativeWindowEvents> WindowSystem::watch(
    qtplatform::WindowWidget& window) {
  return std::make_unique<WindowEvents>(window);
}

std::function<forms::Margins()> WindowSystem::askFrame(qtplatform::WindowWidget& window) {
  auto* application = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (application == nullptr) return unknownFrame();
  Display* display = application->display();
  const WId native = window.winId();
  // Asked about the window, the window manager may answer with the size the window was made
  // at as well, to be read only after the window showed at another.
  window.resizeRequested({window.width(), window.height()});
  // On Qt's own connection, after the properties Qt set when it made the native window.
  if (!requestFrameExtents(display, native)) return unknownFrame();
  const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerTimeout;
  return [display, native, deadline]() -> forms::Margins {
    const auto extents = awaitFrameExtents(display, native, deadline);
    if (!extents) return {};
    return {extents->left, extents->top, extents->right, extents->bottom};
  };
}

void WindowSystem::deliverKeyRelease(const QKeyEvent& key,
                                     const std::function<void(int keyCode)>& deliver) {
  const KeyboardMap& keyboard = keyboard_.current();
  const std::uint32_t keycode = key.nativeScanCode();
  const int keyCode = virtualKeyCode(key.nativeVirtualKey(), keyboard.unshiftedKeysymOf(keycode),
                                     keyboard.nameOf(keycode));
  const EventPlaceScope place(pointer_,
                              releases_.find(static_cast<std::uint32_t>(key.timestamp()), keycode));
  deliver(keyCode);
}

qtplatform::PictureWidget* WindowSystem::createPictureWidget(QWidget& parent,
                                                             forms::PeerListener& listener) {
  if (compositor_ != nullptr) return new ServerPictureWidget(parent, listener, *compositor_);
  return new qtplatform::MemoryPictureWidget(parent, listener);
}

}  // namespace x11
