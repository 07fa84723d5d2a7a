#include "platform/forms/text_box.h"

#include <utility>

namespace forms {

TextBox::TextBox(Container& container, std::string name)
    : Control(container, std::move(name), [](Toolkit& toolkit, ContainerPeer& parent, PeerListener& listener) {
        return toolkit.createTextBox(parent, listener);
      }) {}

void TextBox::setText(const std::string& text) {
  if (text == text_) return;
  peer().setText(text);
  changeTo(text);
}

void TextBox::setMultiLine(bool multiLine, bool verticalScrollBar) {
  peer().setMultiLine(multiLine, verticalScrollBar);
}

void TextBox::setBackColor(graphics::Pixel color) { peer().setBackColor(color); }

void TextBox::peerTextEdited(const std::string& text) {
  if (text != text_) changeTo(text);
}

void TextBox::changeTo(const std::string& text) {
  text_ = text;
  raise([this] {
    if (Change) Change();
  });
}

}  // namespace forms
