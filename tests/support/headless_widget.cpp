#include "tests/support/headless_widget.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace headless {

Bytes copyOf(std::optional<forms::ImageFile> file) {
  if (!file) return {};
  return {file->begin(), file->end()};
}

Widget::Widget(const WidgetLinks& links)
    : focus_(links.focus), parent_(links.parent), listener_(links.listener) {
  parent_.children_.push_back(this);
}

Widget::~Widget() {
  std::erase(parent_.children_, this);
  if (focused()) focus_.owner_ = nullptr;
}

int Widget::stackingIndex() const {
  const auto& siblings = parent_.children_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void Widget::click() {
  requireOnScreen("click");
  listener_.peerClicked();
}

void Widget::moveMouse(int x, int y) {
  requireOnScreen("move the pointer over");
  listener_.peerMouseMoved({0, 0, static_cast<float>(x), static_cast<float>(y)});
}

void Widget::takeFocus() {
  requireOnScreen("focus");
  grantFocus();
}

Widget* Widget::widgetAt(int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < geometry_.width && y < geometry_.height;
  return visible_ && inside ? this : nullptr;
}

void Widget::requireOnScreen(const char* action) const {
  if (!onScreen()) {
    throw std::logic_error(std::string("a user cannot ") + action +
                           " a widget that is not on screen");
  }
}

bool Widget::grantFocus() {
  if (refusesFocus_) return false;
  focus_.owner_ = this;
  return true;
}

}  // namespace headless
