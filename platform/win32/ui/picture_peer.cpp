#include "platform/win32/ui/picture_peer.h"

#include <windowsx.h>

#include "platform/win32/ui/window_classes.h"

namespace win32 {
namespace {

constexpr const wchar_t* kPictureClass = L"OrvexCapturePicture";

}  // namespace

PicturePeer::PicturePeer(NativeContainer& parent, forms::PeerListener& listener)
    : ControlPeer(parent, listener) {
  registerWindowClass(kPictureClass, procedure, nullptr);
  create(kPictureClass, WS_CLIPCHILDREN | WS_TABSTOP, 0, this);
}

void PicturePeer::setBackColor(graphics::Pixel color) {
  backColor_ = RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
  background_.reset(CreateSolidBrush(backColor_));
  InvalidateRect(handle(), nullptr, FALSE);
}

void PicturePeer::setPicture(std::optional<forms::ImageFile> imageFile) {
  picture_ = imageFile ? Picture::fromFile(*imageFile) : std::nullopt;
  InvalidateRect(handle(), nullptr, FALSE);
}

void PicturePeer::imageChanged() { InvalidateRect(handle(), nullptr, FALSE); }

void PicturePeer::setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) {
  HRGN native = nullptr;
  if (region) {
    const graphics::Rect& bounds = region->bounds;
    native = CreateEllipticRgn(bounds.left, bounds.top, bounds.right(), bounds.bottom());
  }
  // The window owns the region from here on, and frees the one it had.
  SetWindowRgn(handle(), native, redraw ? TRUE : FALSE);
}

void PicturePeer::paint(HDC context, const RECT& area) const {
  const graphics::Bitmap& image = surface_.bitmap();
  const graphics::Size size = image.size();
  // The backing image has the box's size, so the background shows only while that catches up.
  // The live view repaints many times a second: paint each pixel once.
  if (size.width < area.right || size.height < area.bottom) {
    FillRect(context, &area, background_ ? background_.get() : GetSysColorBrush(COLOR_BTNFACE));
  }
  if (size.width > 0 && size.height > 0) {
    // The image's rows lie stride() pixels apart: a top-down DIB that wide, of which the
    // image's width is shown. Its 0x00RRGGBB pixels are a 32-bit DIB's as they are.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(image.stride());
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(context, 0, 0, size.width, size.height, 0, 0, size.width, size.height,
                  image.row(0), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  if (picture_) picture_->draw(context);
}

void PicturePeer::released(HWND window, LPARAM lParam) {
  const bool wasPressed = leftPressed_;
  leftPressed_ = false;
  ReleaseCapture();
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &point);
  // Over a child control, or outside the box's region, the release is not on this box.
  if (wasPressed && WindowFromPoint(point) == window) listener().peerClicked();
}

LRESULT CALLBACK PicturePeer::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* peer = peerOf<PicturePeer>(window, message, lParam);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return peer->handleMessage(window, message, wParam, lParam);
}

LRESULT PicturePeer::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> answer = reflectToControl(message, wParam, lParam)) {
    return *answer;
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers the whole box
    case WM_PAINT: {
      PAINTSTRUCT paintStruct{};
      HDC context = BeginPaint(window, &paintStruct);
      RECT client{};
      GetClientRect(window, &client);
      paint(context, client);
      EndPaint(window, &paintStruct);
      return 0;
    }
    case WM_LBUTTONDOWN:
      // A picture box takes the focus when clicked, as a native control does.
      SetFocus(window);
      SetCapture(window);
      leftPressed_ = true;
      return 0;
    case WM_LBUTTONUP:
      released(window, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      leftPressed_ = false;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace win32
