#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/peers.h"

namespace headless {

class Widget;

// An image file as the runtime handed it over; empty when it handed none.
using Bytes = std::vector<std::byte>;

// Which widget of one toolkit holds the keyboard focus.
class Focus {
 public:
  const Widget* owner() const { return owner_; }

 private:
  friend class Widget;
  const Widget* owner_ = nullptr;
};

// The window or a picture box, as the place its widgets live in.
class Container {
 public:
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;

  // Its widgets in stacking order: the first made lies on top.
  const std::vector<Widget*>& children() const { return children_; }
  // Whether a user can see what it holds.
  virtual bool showsChildren() const = 0;

 protected:
  Container() = default;
  ~Container() = default;

 private:
  friend class Widget;
  std::vector<Widget*> children_;
};

// What a widget is made with.
struct WidgetLinks {
  Focus& focus;
  Container& parent;
  forms::PeerListener& listener;
};

// What every headless widget records of the runtime's calls, and what a user can do to it.
class Widget {
 public:
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  const graphics::Rect& geometry() const { return geometry_; }
  bool visible() const { return visible_; }
  // Visible inside a container that is on screen: a user can see and reach it.
  bool onScreen() const { return visible_ && parent_.showsChildren(); }
  const std::string& toolTip() const { return toolTip_; }
  const forms::FontSpec& font() const { return font_; }
  // The custom pointer's cursor file; empty for the kind's default pointer.
  const Bytes& pointerBytes() const { return pointer_; }
  Container& parent() const { return parent_; }
  // Its place in its container's stacking order; 0 lies on top of everything made later.
  int stackingIndex() const;
  bool focused() const { return focus_.owner_ == this; }
  // Whether the widget refuses the focus from now on, as some native controls do.
  void refuseFocus(bool refuse) { refusesFocus_ = refuse; }

  // The user clicks it, moves the pointer over it (x, y in its pixels), or tabs or clicks into it.
  void click();
  void moveMouse(int x, int y);
  void takeFocus();

  // The widget that a click at (x, y) of this widget's pixels lands on; none outside its shape.
  virtual Widget* widgetAt(int x, int y);

 protected:
  explicit Widget(const WidgetLinks& links);
  virtual ~Widget();

  // A user acts only on what is on screen; acting on anything else is a mistake in the test.
  void requireOnScreen(const char* action) const;
  forms::PeerListener& listener() const { return listener_; }

 private:
  template <typename Interface>
  friend class WidgetPeerOf;

  bool grantFocus();

  Focus& focus_;
  Container& parent_;
  forms::PeerListener& listener_;
  graphics::Rect geometry_;
  bool visible_ = true;
  std::string toolTip_;
  forms::FontSpec font_;
  Bytes pointer_;
  bool refusesFocus_ = false;
};

Bytes copyOf(std::optional<forms::ImageFile> file);

// The calls that every kind of peer shares, recorded, for the peer interface of one kind.
template <typename Interface>
class WidgetPeerOf : public Interface, public Widget {
 public:
  void setGeometry(const graphics::Rect& pixels) override { geometry_ = pixels; }
  void setVisible(bool visible) override { visible_ = visible; }
  void setToolTip(const std::string& text) override { toolTip_ = text; }
  void setFont(const forms::FontSpec& font) override { font_ = font; }
  void setPointer(std::optional<forms::ImageFile> cursorFile) override {
    pointer_ = copyOf(cursorFile);
  }
  bool setFocus() override { return grantFocus(); }
  bool hasFocus() const override { return focused(); }

 protected:
  using Widget::Widget;
};

}  // namespace headless
