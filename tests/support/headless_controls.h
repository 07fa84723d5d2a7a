#pragma once

#include <string>

#include "tests/support/headless_widget.h"

// The simple kinds of headless widget: they record what the runtime shows and let a test act
// as the user.
namespace headless {

class Button final : public WidgetPeerOf<forms::ButtonPeer> {
 public:
  explicit Button(const WidgetLinks& links) : WidgetPeerOf(links) {}
  void setCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& caption() const { return caption_; }

 private:
  std::string caption_;
};

class Label final : public WidgetPeerOf<forms::LabelPeer> {
 public:
  explicit Label(const WidgetLinks& links) : WidgetPeerOf(links) {}
  void setCaption(const std::string& caption) override { caption_ = caption; }
  const std::string& caption() const { return caption_; }

 private:
  std::string caption_;
};

class ScrollBar final : public WidgetPeerOf<forms::ScrollBarPeer> {
 public:
  explicit ScrollBar(const WidgetLinks& links) : WidgetPeerOf(links) {}
  void setRange(const forms::ScrollRange& range) override { range_ = range; }
  void setValue(int value) override { value_ = value; }
  const forms::ScrollRange& range() const { return range_; }
  int value() const { return value_; }

  // The user drags the thumb towards `value` and lets it go; the thumb stops at the ends.
  void scrollTo(int value);
  // The user clicks an arrow button (a small step) or the track (a large step); +1 towards Max.
  void pressArrow(int direction);
  void pressPage(int direction);

 private:
  void step(int direction, int change);

  forms::ScrollRange range_;
  int value_ = 0;
};

class TextBox final : public WidgetPeerOf<forms::TextBoxPeer> {
 public:
  explicit TextBox(const WidgetLinks& links) : WidgetPeerOf(links) {}
  void setMultiLine(bool multiLine, bool verticalScrollBar) override {
    multiLine_ = multiLine;
    verticalScrollBar_ = verticalScrollBar;
  }
  void setBackColor(graphics::Pixel color) override { backColor_ = color; }
  void setText(const std::string& text) override { text_ = text; }
  bool multiLine() const { return multiLine_; }
  bool verticalScrollBar() const { return verticalScrollBar_; }
  graphics::Pixel backColor() const { return backColor_; }
  const std::string& text() const { return text_; }

  // The user edits the box until it reads `text`; the box reports that as one edit.
  void typeText(const std::string& text);

 private:
  bool multiLine_ = false;
  bool verticalScrollBar_ = false;
  graphics::Pixel backColor_ = 0;
  std::string text_;
};

}  // namespace headless
