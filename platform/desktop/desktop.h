#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics/bitmap.h"
#include "platform/handles.h"

// The calls the program makes outside its window: the cursor, the screen's device context and
// the stretching copy, window regions, the clipboard, the screen's scale, program start, key
// sending and the beep. One interface; the real desktop and the tests' fake implement it.
namespace platform {

// A point in screen pixels. Callers zero it before asking, so a failed call reads (0, 0).
struct PointApi {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The plain source copy, the only raster operation the program uses.
constexpr std::uint32_t SRCCOPY = 0xCC0020;

// The window style of a started program that gets a normal, focused window.
constexpr int vbNormalFocus = 1;

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the system clipboard, whoever owned it.
  virtual void Clear() = 0;
  // Offers the picture to every program on the desktop, pixel for pixel.
  virtual void SetData(const graphics::Bitmap& picture) = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual float TwipsPerPixelX() const = 0;
  virtual float TwipsPerPixelY() const = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  virtual Clipboard& clipboard() = 0;
  virtual Screen& screen() = 0;

  // Nonzero on success; the point is left alone on failure.
  virtual std::int32_t GetCursorPos(PointApi& point) = 0;
  // Window 0: the whole screen, usable as a copy source. 0 when it cannot be had.
  virtual Hdc GetDC(Hwnd window) = 0;
  virtual std::int32_t ReleaseDC(Hwnd window, Hdc dc) = 0;
  // Nearest-neighbour stretch of the source rectangle onto the destination rectangle, clipped
  // at the destination's edges.
  virtual std::int32_t StretchBlt(Hdc dest, std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height, Hdc source, std::int32_t sourceX,
                                  std::int32_t sourceY, std::int32_t sourceWidth,
                                  std::int32_t sourceHeight, std::uint32_t rasterOp) = 0;
  virtual Hrgn CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) = 0;
  // The window takes the region (0: its full rectangle) and owns it from then on.
  virtual std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) = 0;

  // Starts a program; returns its task identifier. Throws RuntimeError when it cannot start.
  virtual double Shell(const std::string& path, int windowStyle) = 0;
  // Sends keys in the runtime's notation ("^" Ctrl, "%" Alt, "+" Shift, "{NAME}") to the active
  // window. With `wait`, returns after they have been processed. Right after Shell() it first
  // waits, bounded, for the started program's window to become active. Throws RuntimeError
  // on a malformed string (nothing sent) or when that window does not appear.
  virtual void SendKeys(const std::string& keys, bool wait) = 0;
  virtual void Beep() = 0;
};

}  // namespace platform
