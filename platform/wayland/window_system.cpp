#include "platform/wayland/window_system.h"

#include <QKeyEvent>

#include "platform/qt/picture_widget.h"
#include "platform/wayland/subsurface_picture_widget.h"
#include "platform/x11/virtual_keys.h"

namespace wayland {

WindowSystem::WindowSystem() = default;
WindowSystem::~WindowSystem() = default;

std::unique_ptr<qtplatform::NativeWindowEvents> WindowSystem::watch(
    qtplatform::WindowWidget& /*window*/) {
  return nullptr;
}

std::function<forms::Margins()> WindowSystem::askFrame(qtplatform::WindowWidget& /*window*/) {
  return unknownFrame();
}

// Qt gives the key's keysym and its key code, which is evdev's + 8 on every compositor: that
// places the main row's digits whatever the layout prints on them.
void WindowSystem::deliverKeyRelease(const QKeyEvent& key,
                                     const std::function<void(int keyCode)>& deliver) {
  const std::uint32_t keycode = key.nativeScanCode();
  deliver(x11::virtualKeyCode(key.nativeVirtualKey(), 0, x11::evdevDigitRowKeyName(keycode)));
}

qtplatform::PictureWidget* WindowSystem::createPictureWidget(QWidget& parent,
                                                             forms::PeerListener& listener) {
  if (!globals_) globals_ = CompositorGlobals::ofQtConnection();
  // A box inside another paints over that one's picture: Qt paints it, above our surfaces.
  if (*globals_ != nullptr && parent.isWindow()) {
    return new SubsurfacePictureWidget(parent, listener, **globals_);
  }
  return new qtplatform::MemoryPictureWidget(parent, listener);
}

}  // namespace wayland
