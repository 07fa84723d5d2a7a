#pragma once

#include <QWidget>

#include "platform/qt/widget_peer.h"

namespace qtplatform {

// A text box: a frame that holds one editor, a QLineEdit or, for several lines, a
// QPlainTextEdit. The editor is made when the box first shows (a box that starts hidden costs
// the start-up nothing) and replaced when the box switches between the two.
class QtTextBoxPeer final : public QtWidgetPeer<forms::TextBoxPeer, QWidget> {
 public:
  QtTextBoxPeer(QWidget& parent, forms::PeerListener& listener);
  void setMultiLine(bool multiLine, bool verticalScrollBar) override;
  void setBackColor(graphics::Pixel color) override;
  void setText(const std::string& text) override;

 private:
  void makeEditor();
  QWidget* makeSingleLineEditor();
  QWidget* makeMultiLineEditor();
  void showText();
  void userEdited(const QString& text);

  forms::PeerListener& listener_;
  QWidget* editor_ = nullptr;  // a child of the frame, none until the box first shows
  bool multiLine_ = false;
  bool verticalScrollBar_ = false;
  std::string text_;  // in the runtime's form: lines end in "\r\n"
};

}  // namespace qtplatform
