#pragma once

#include <optional>

#include "platform/win32/ui/image_files.h"
#include "platform/win32/ui/native_control.h"

namespace win32 {

// A picture box: a window class of its own that paints its background colour, its backing
// image and its picture, in that order, and holds controls of its own. It reports clicks of
// the left button, pressed and released over it. Cut to a region, it is only there inside the
// region: clicks outside it reach what lies beneath.
class PicturePeer final : public ControlPeer<forms::PicturePeer>, public NativeContainer {
 public:
  PicturePeer(NativeContainer& parent, forms::PeerListener& listener);

  void setBackColor(graphics::Pixel color) override;
  void setPicture(std::optional<forms::ImageFile> imageFile) override;
  // The backing picture in memory, the portable surface: GDI paints it from there.
  graphics::Surface& surface() override { return surface_; }
  // Painted with the next WM_PAINT: repaints of one pass of the message loop merge into one.
  void imageChanged() override;
  void setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) override;

  // NativeContainer
  HWND containerWindow() const override { return handle(); }
  Win32WindowPeer& topWindow() override { return NativeControl::topWindow(); }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void paint(HDC context, const RECT& area) const;
  void released(HWND window, LPARAM lParam);

  COLORREF backColor_ = 0;
  UniqueBrush background_;
  std::optional<Picture> picture_;
  graphics::BitmapSurface surface_;
  bool leftPressed_ = false;
};

}  // namespace win32
