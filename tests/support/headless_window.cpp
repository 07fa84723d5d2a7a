#include "tests/support/headless_window.h"

#include <stdexcept>
#include <string>

namespace headless {

void Window::releaseKey(int keyCode, int shift) {
  requireShown("press keys in");
  listener_.peerKeyReleased(keyCode, shift);
}

void Window::moveMouse(int x, int y) {
  requireShown("move the pointer over");
  listener_.peerMouseMoved({0, 0, static_cast<float>(x), static_cast<float>(y)});
}

void Window::userResize(graphics::Size client) {
  requireShown("resize");
  client_ = client;
  listener_.peerResized(client);
}

void Window::minimize() {
  requireShown("minimise");
  minimized_ = true;
  listener_.peerWindowStateChanged();
}

void Window::restore() {
  if (!minimized_) throw std::logic_error("a user can restore only a minimised window");
  minimized_ = false;
  listener_.peerWindowStateChanged();
}

void Window::requireShown(const char* action) const {
  if (!shown_)
    throw std::logic_error(std::string("a user cannot ") + action + " a window not shown yet");
}

}  // namespace headless
