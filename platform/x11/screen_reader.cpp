#include "platform/x11/screen_reader.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/forms/runtime_error.h"
#include "platform/x11/plain_capture.h"
#include "platform/x11/screen_capture.h"
#include "platform/x11/shared_memory_capture.h"
#include "platform/x11/xwayland.h"

namespace x11 {
namespace {

constexpr const char* kUnderXWayland =
    "Wayland のセッションでは、X11 のプログラムに見える画面は真っ黒です (XWayland)。"
    "ログイン画面で「Xorg」または「X11」のセッションを選んでから使ってください。";

graphics::Rect screenRect(Display* display) {
  const int screen = DefaultScreen(display);
  return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

// At depth 32 the top byte is alpha, which the rest of the program takes for 0.
void clearTopBytes(const CapturedImage& image) {
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<graphics::Pixel*>(image.data + y * image.bytesPerLine);
    for (int x = 0; x < image.width; ++x) row[x] &= 0xFFFFFFU;
  }
}

}  // namespace

ScreenReader::ScreenReader(Connection& connection, Transfer transfer)
    : connection_(connection),
      format_(connection.display()),
      unreadableReason_(format_.unreadableReason()),
      bounds_(screenRect(connection.display())) {
  Display* display = connection.display();
  int eventBase = 0;
  int errorBase = 0;
  if (XRRQueryExtension(display, &eventBase, &errorBase)) {
    screenChangeEvent_ = eventBase + RRScreenChangeNotify;
    XRRSelectInput(display, connection.rootWindow(), RRScreenChangeNotifyMask);
  }
  if (isXWayland(display)) unreadableReason_ = kUnderXWayland;
  if (!unreadableReason_.empty()) return;
  if (transfer == Transfer::SharedMemoryWhenOffered) capture_ = openSharedMemoryCapture(connection);
  usesSharedMemory_ = capture_ != nullptr;
  if (capture_ == nullptr) capture_ = openPlainCapture(connection);
}

ScreenReader::~ScreenReader() = default;

graphics::Rect ScreenReader::bounds() const {
  followScreenChanges();
  return bounds_;
}

// Takes in the size changes already announced; reading what has arrived waits for nothing.
void ScreenReader::followScreenChanges() const {
  if (screenChangeEvent_ < 0) return;
  Display* display = connection_.display();
  XEvent event;
  bool changed = false;
  while (XCheckTypedEvent(display, screenChangeEvent_, &event)) {
    XRRUpdateConfiguration(&event);  // Xlib's idea of the screen's size
    changed = true;
  }
  if (changed) bounds_ = screenRect(display);
}

void ScreenReader::checkOnScreen(const graphics::Rect& area) const {
  if (!area.empty() && graphics::intersect(area, bounds_) == area) return;
  throw forms::RuntimeError::screenUnreadable(
      describeArea(area) + " は画面 (" + std::to_string(bounds_.width) + "×" +
      std::to_string(bounds_.height) +
      ") からはみ出しています。画面の大きさが変わったところかもしれません。");
}

graphics::PixelView ScreenReader::read(const graphics::Rect& area) {
  if (!unreadableReason_.empty()) throw forms::RuntimeError::screenUnreadable(unreadableReason_);
  followScreenChanges();
  checkOnScreen(area);
  CapturedImage image;
  try {
    image = capture_->read(connection_.rootWindow(), area);
  } catch (const forms::RuntimeError&) {
    // The screen may have shrunk since the caller asked its size: say so if it did.
    followScreenChanges();
    checkOnScreen(area);
    throw;
  }
  if (format_.layout() == ScreenFormat::Layout::Converted) {
    converted_.resize(static_cast<std::size_t>(image.width) *
                      static_cast<std::size_t>(image.height));
    format_.convert(image, converted_.data(), image.width);
    return {converted_.data(), image.width, image.width, image.height};
  }
  if (format_.layout() == ScreenFormat::Layout::Rgb32WithAlpha) clearTopBytes(image);
  return {reinterpret_cast<const graphics::Pixel*>(image.data),
          image.bytesPerLine / static_cast<std::ptrdiff_t>(sizeof(graphics::Pixel)), image.width,
          image.height};
}

graphics::PixelView ScreenReader::readPixmap(unsigned long pixmap, const graphics::Rect& area) {
  const CapturedImage image = capture_->read(pixmap, area);
  return {reinterpret_cast<const graphics::Pixel*>(image.data),
          image.bytesPerLine / static_cast<std::ptrdiff_t>(sizeof(graphics::Pixel)), image.width,
          image.height};
}

}  // namespace x11
