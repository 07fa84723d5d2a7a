#include "user_screen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

#include "screen_colours.h"
#include "test_display.h"

namespace {

constexpr long kMostValues = 4096;
constexpr long kFromUser = 2;  // a request's source indication: a pager, i.e. the user's wish

QImage toImage(XImage& image, const ScreenColours& colours) {
  QImage picture(image.width, image.height, QImage::Format_RGB32);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < image.width; ++x) {
      row[x] = 0xFF000000U | colours.shownBy(XGetPixel(&image, x, y));
    }
  }
  return picture;
}

}  // namespace

QSize UserScreen::size() const { return {display_.width(), display_.height()}; }

QImage UserScreen::grab(QRect area) const {
  const QRect onScreen = area.intersected(QRect(QPoint(0, 0), size()));
  if (onScreen.isEmpty()) return {};
  XImage* image = XGetImage(display_.get(), display_.root(), onScreen.x(), onScreen.y(),
                            static_cast<unsigned>(onScreen.width()),
                            static_cast<unsigned>(onScreen.height()), AllPlanes, ZPixmap);
  if (image == nullptr) return {};
  QImage picture = toImage(*image, ScreenColours(display_.get()));
  XDestroyImage(image);
  return picture;
}

std::string UserScreen::text(unsigned long window, const char* property, const char* type) const {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string value;
  const Atom wanted = display_.atom(type);
  const int status =
      XGetWindowProperty(display_.get(), window, display_.atom(property), 0, kMostValues, False,
                         wanted, &actualType, &format, &count, &remaining, &data);
  if (status == Success && actualType == wanted && format == 8) {
    value.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return value;
}

std::vector<unsigned long> UserScreen::managedWindows() const {
  return display_.property(display_.root(), "_NET_CLIENT_LIST", XA_WINDOW);
}

unsigned long UserScreen::activeWindow() const {
  const auto active = display_.property(display_.root(), "_NET_ACTIVE_WINDOW", XA_WINDOW);
  return active.size() == 1 ? active.front() : 0;
}

std::optional<long> UserScreen::pidOf(unsigned long window) const {
  const auto pid = display_.property(window, "_NET_WM_PID", XA_CARDINAL);
  if (pid.size() != 1) return std::nullopt;
  return static_cast<long>(pid.front());
}

std::string UserScreen::titleOf(unsigned long window) const {
  return text(window, "_NET_WM_NAME", "UTF8_STRING");
}

// WM_CLASS holds two strings, instance and class, each ending in a zero byte.
std::string UserScreen::classOf(unsigned long window) const {
  const std::string both = text(window, "WM_CLASS", "STRING");
  const std::size_t end = both.find('\0');
  return end == std::string::npos ? both : both.substr(end + 1, both.find('\0', end + 1) - end - 1);
}

bool UserScreen::viewable(unsigned long window) const { return display_.viewable(window); }

QRect UserScreen::clientArea(unsigned long window) const {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_.get(), window, &attributes) == 0) return {};
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(display_.get(), window, display_.root(), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

std::optional<QMargins> UserScreen::frameExtents(unsigned long window) const {
  const auto extents = display_.property(window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
  if (extents.size() != 4) return std::nullopt;
  const auto margin = [&](std::size_t i) { return static_cast<int>(extents[i]); };
  return QMargins(margin(0), margin(2), margin(1), margin(3));  // left, right, top, bottom
}

void UserScreen::askWindowManager(unsigned long window, const char* request,
                                  const std::vector<long>& data) const {
  Display* display = display_.get();
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = display_.atom(request);
  message.xclient.format = 32;
  std::copy(data.begin(), data.end(), message.xclient.data.l);
  XSendEvent(display, display_.root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &message);
  display_.sync();
}

void UserScreen::moveFrame(unsigned long window, QPoint topLeft) const {
  constexpr long kNorthWestGravity = 1;
  constexpr long kXGiven = 1L << 8;
  constexpr long kYGiven = 1L << 9;
  askWindowManager(
      window, "_NET_MOVERESIZE_WINDOW",
      {kNorthWestGravity | kXGiven | kYGiven | (kFromUser << 12), topLeft.x(), topLeft.y()});
}

void UserScreen::resizeClient(unsigned long window, QSize size) const {
  constexpr long kNorthWestGravity = 1;
  constexpr long kWidthGiven = 1L << 10;
  constexpr long kHeightGiven = 1L << 11;
  askWindowManager(window, "_NET_MOVERESIZE_WINDOW",
                   {kNorthWestGravity | kWidthGiven | kHeightGiven | (kFromUser << 12), 0, 0,
                    size.width(), size.height()});
}

void UserScreen::closeWindow(unsigned long window) const {
  askWindowManager(window, "_NET_CLOSE_WINDOW", {CurrentTime, kFromUser});
}
