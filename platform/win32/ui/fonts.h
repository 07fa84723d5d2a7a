#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/win32/handles.h"

namespace win32 {

// The fonts of the program's controls, made once each at the screen's DPI and kept until the
// toolkit goes. A face that this Windows lacks (the design face "ＭＳ Ｐゴシック" on a Windows
// without the Japanese fonts) is replaced by the Japanese UI face chosen at start-up.
class Fonts {
 public:
  Fonts();

  HFONT font(const forms::FontSpec& spec);
  // The tooltips' font: the system's size for them, in a face with the Japanese glyphs (the
  // system's own tooltip face, Segoe UI or Wine's Tahoma, may have none).
  HFONT toolTipFont() const { return toolTip_.get(); }
  // The screen's dots per inch, as the system DPI awareness of the program sees them.
  int dpi() const { return dpi_; }
  // The face that stands in for missing ones; empty when no Japanese face is installed either,
  // and the font mapper picks a face for the Japanese character set by itself.
  const std::wstring& standIn() const { return standIn_; }

 private:
  struct Made {
    forms::FontSpec spec;
    UniqueFont font;
  };

  int dpi_;
  std::wstring standIn_;
  std::vector<Made> made_;
  UniqueFont toolTip_;
};

// Whether a font family of that name is installed.
bool fontInstalled(const std::wstring& family);

}  // namespace win32
