#pragma once

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace forms {

// A text box. Change is raised whenever its text changes, by typing or by code (inside the
// write, and only when the text really differs).
class TextBox final : public Control {
 public:
  TextBox(Container& container, std::string name);

  const std::string& Text() const { return text_; }
  void setText(const std::string& text);
  void setMultiLine(bool multiLine, bool verticalScrollBar);
  void setBackColor(graphics::Pixel color);

  std::function<void()> Change;

 private:
  TextBoxPeer& peer() { return static_cast<TextBoxPeer&>(widgetPeer()); }
  void peerTextEdited(const std::string& text) override;
  void changeTo(const std::string& text);

  std::string text_;
};

}  // namespace forms
