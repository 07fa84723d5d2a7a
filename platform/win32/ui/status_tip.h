#pragma once

#include <windows.h>
// After windows.h, on whose types they build.
#include <commctrl.h>

#include <string>

#include "platform/win32/ui/fonts.h"

namespace win32 {

// A short note shown for a few seconds at the top-left of a window's client area: a tooltip
// of its own that we place and show ourselves, not one that waits for the pointer.
class StatusTip {
 public:
  // `owner` is the top-level window; the note is written in the fonts' tooltip font.
  StatusTip(HWND owner, const Fonts& fonts);
  ~StatusTip();
  StatusTip(const StatusTip&) = delete;
  StatusTip& operator=(const StatusTip&) = delete;

  // Shows `text` (again), and hides it a few seconds after the last time it was asked for.
  void show(const std::string& text);

  HWND handle() const { return tip_; }

 private:
  TTTOOLINFOW tool();
  static void CALLBACK hide(HWND tip, UINT message, UINT_PTR timer, DWORD time);

  HWND owner_;
  int inset_;  // pixels from the client area's corner
  HWND tip_;
  std::wstring text_;
};

}  // namespace win32
