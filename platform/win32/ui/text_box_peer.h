#pragma once

#include "platform/win32/ui/native_control.h"

namespace win32 {

// A text box (EDIT), on one line or several, with a vertical scroll bar if asked. Its text
// keeps Windows' line breaks, as the runtime's does. A user's edit is reported; the program's
// own text is not.
class TextBoxPeer final : public ControlPeer<forms::TextBoxPeer> {
 public:
  TextBoxPeer(NativeContainer& parent, forms::PeerListener& listener);
  void setMultiLine(bool multiLine, bool verticalScrollBar) override;
  void setBackColor(graphics::Pixel color) override;
  void setText(const std::string& text) override;

 private:
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The editing styles can only be chosen when the control is made: a new one replaces it.
  void makeEditor(DWORD style);
  void showText();

  std::string text_;
  bool showingText_ = false;
  std::optional<COLORREF> backColor_;
  UniqueBrush background_;
};

}  // namespace win32
