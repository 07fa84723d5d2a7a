#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/region.h"
#include "platform/graphics/surface.h"

// What the form runtime needs of a native toolkit. The runtime owns the semantics (scales,
// events raised inside property writes, the error boundary); a peer only shows a control at
// whole pixels and reports what the user did. Qt widgets implement it for the program,
// headless peers for the tests.
namespace forms {

class RuntimeError;

struct Margins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct FontSpec {
  std::string family;
  float points = 9.0F;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

// Image files in their classic formats (.ico, .cur, .bmp), as bytes.
using ImageFile = std::span<const std::byte>;

struct MouseArgs {
  int button = 0;
  int shift = 0;
  float x = 0;  // pixels within the control
  float y = 0;
};

// Calls from a peer back into its control. Every call is a user event: the runtime delivers it
// through its error boundary.
class PeerListener {
 public:
  virtual void peerClicked() {}
  virtual void peerMouseMoved(const MouseArgs& /*args*/) {}
  virtual void peerScrolled(int /*value*/) {}
  virtual void peerTextEdited(const std::string& /*text*/) {}
  virtual void peerKeyReleased(int /*keyCode*/, int /*shift*/) {}
  virtual void peerResized(graphics::Size /*client*/) {}
  virtual void peerWindowStateChanged() {}
  virtual void peerTicked() {}

 protected:
  ~PeerListener() = default;
};

// Anything that can hold controls: the window or a picture box.
class ContainerPeer {
 public:
  virtual ~ContainerPeer() = default;
};

class WidgetPeer {
 public:
  virtual ~WidgetPeer() = default;
  virtual void setGeometry(const graphics::Rect& pixels) = 0;
  virtual void setVisible(bool visible) = 0;
  virtual void setToolTip(const std::string& text) = 0;
  virtual void setFont(const FontSpec& font) = 0;
  // The pointer shown over the control: the given cursor file, or the kind's default.
  virtual void setPointer(std::optional<ImageFile> cursorFile) = 0;
  // False when the native control refuses the focus.
  virtual bool setFocus() = 0;
  virtual bool hasFocus() const = 0;
};

class ButtonPeer : public WidgetPeer {
 public:
  virtual void setCaption(const std::string& caption) = 0;
};

class LabelPeer : public WidgetPeer {
 public:
  virtual void setCaption(const std::string& caption) = 0;
};

struct ScrollRange {
  int min = 0;
  int max = 32767;
  int smallChange = 1;
  int largeChange = 1;
};

class ScrollBarPeer : public WidgetPeer {
 public:
  virtual void setRange(const ScrollRange& range) = 0;
  // Shows the value without reporting it back as a user scroll.
  virtual void setValue(int value) = 0;
};

class TextBoxPeer : public WidgetPeer {
 public:
  virtual void setMultiLine(bool multiLine, bool verticalScrollBar) = 0;
  virtual void setBackColor(graphics::Pixel color) = 0;
  // Shows the text without reporting it back as a user edit.
  virtual void setText(const std::string& text) = 0;
};

class PicturePeer : public WidgetPeer, public ContainerPeer {
 public:
  virtual void setBackColor(graphics::Pixel color) = 0;
  // A picture shown at the top-left corner (an image file), or none.
  virtual void setPicture(std::optional<ImageFile> imageFile) = 0;
  // The box's backing picture, kept where this toolkit shows it fastest; it starts empty and
  // lives as long as the peer. The control sizes it, clears it and draws into it.
  virtual graphics::Surface& surface() = 0;
  // The backing picture changed: repaint from it (soon, not necessarily now).
  virtual void imageChanged() = 0;
  virtual void setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) = 0;
};

class WindowPeer : public ContainerPeer {
 public:
  virtual void setCaption(const std::string& caption) = 0;
  virtual void setIcon(ImageFile iconFile) = 0;
  virtual void resizeClient(graphics::Size client) = 0;
  virtual graphics::Size clientSize() const = 0;
  // The smallest client area the window system gives this window, whatever is asked for: at
  // least 1×1 (an empty one would take the window off the screen), and on Windows what its
  // smallest window leaves inside the frame.
  virtual graphics::Size smallestClientSize() const = 0;
  // The frame around the client area, as far as it is known now.
  virtual Margins frameMargins() const = 0;
  virtual bool minimized() const = 0;
  virtual bool maximized() const = 0;
  virtual void show() = 0;
  virtual bool shown() const = 0;
  virtual void setTabOrder(const std::vector<WidgetPeer*>& order) = 0;
};

class TimerPeer {
 public:
  virtual ~TimerPeer() = default;
  virtual void start(int intervalMs) = 0;
  virtual void stop() = 0;
};

// Makes peers. A control made later lies below the controls made before it in the same
// container.
class Toolkit {
 public:
  virtual ~Toolkit() = default;
  virtual std::unique_ptr<WindowPeer> createWindow(PeerListener& listener) = 0;
  virtual std::unique_ptr<ButtonPeer> createButton(ContainerPeer& parent,
                                                   PeerListener& listener) = 0;
  virtual std::unique_ptr<LabelPeer> createLabel(ContainerPeer& parent, PeerListener& listener) = 0;
  virtual std::unique_ptr<ScrollBarPeer> createScrollBar(ContainerPeer& parent,
                                                         PeerListener& listener) = 0;
  virtual std::unique_ptr<TextBoxPeer> createTextBox(ContainerPeer& parent,
                                                     PeerListener& listener) = 0;
  virtual std::unique_ptr<PicturePeer> createPicture(ContainerPeer& parent,
                                                     PeerListener& listener) = 0;
  virtual std::unique_ptr<TimerPeer> createTimer(PeerListener& listener) = 0;

  // The desktop's colour of button faces, a picture box's background by default.
  virtual graphics::Pixel buttonFaceColor() const = 0;
  // Tells the user about an error that ended a handler. The program goes on.
  virtual void reportError(const RuntimeError& error) = 0;
  // Shows a short note for a few seconds near the window, for something that could not be
  // done just now (see NotReady): never modal, no sound. A note shown again while it is up
  // stays up.
  virtual void showStatus(const std::string& status) = 0;
};

}  // namespace forms
