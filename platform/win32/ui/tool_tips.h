#pragma once

#include <windows.h>
// After windows.h, on whose types they build.
#include <commctrl.h>

#include <string>

#include "platform/win32/ui/fonts.h"

namespace win32 {

// The tooltips of one window's controls: one tooltip control that watches each of them.
class ToolTips {
 public:
  // `owner` is the top-level window; the tips are written in the fonts' tooltip font, and
  // long ones wrap at a width for the fonts' DPI.
  ToolTips(HWND owner, const Fonts& fonts);
  ~ToolTips();
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // The tip shown when the pointer rests on `control`; none for an empty text.
  void set(HWND control, const std::string& text);
  void remove(HWND control);

  HWND handle() const { return tips_; }

 private:
  TTTOOLINFOW toolOf(HWND control) const;

  HWND owner_;
  HWND tips_;
};

}  // namespace win32
