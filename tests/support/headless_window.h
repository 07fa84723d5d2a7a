#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/headless_widget.h"

namespace headless {

// A headless top-level window with a frame of fixed margins. Programmatic resizing takes effect
// at once and reports nothing back; the runtime raises Resize itself.
class Window final : public forms::WindowPeer, public Container {
 public:
  Window(forms::PeerListener& listener, forms::Margins frame)
      : listener_(listener), frame_(frame) {}

  void setCaption(const std::string& caption) override { caption_ = caption; }
  void setIcon(forms::ImageFile iconFile) override { icon_ = copyOf(iconFile); }
  void resizeClient(graphics::Size client) override {
    client_ = {std::max(client.width, smallest_.width), std::max(client.height, smallest_.height)};
    if (onProgramResize) onProgramResize(client_);
  }
  graphics::Size clientSize() const override { return client_; }
  graphics::Size smallestClientSize() const override { return smallest_; }
  // A window system whose smallest window is larger than one pixel (Windows).
  void setSmallestClientSize(graphics::Size smallest) { smallest_ = smallest; }
  forms::Margins frameMargins() const override { return frame_; }
  bool minimized() const override { return minimized_; }
  bool maximized() const override { return false; }
  void show() override { shown_ = true; }
  bool shown() const override { return shown_; }
  void setTabOrder(const std::vector<forms::WidgetPeer*>& order) override { tabOrder_ = order; }

  const std::string& caption() const { return caption_; }
  const Bytes& iconBytes() const { return icon_; }
  const std::vector<forms::WidgetPeer*>& tabOrder() const { return tabOrder_; }

  // The user releases a key while the window is active (shift: 1 Shift, 2 Ctrl, 4 Alt).
  void releaseKey(int keyCode, int shift = 0);
  // The user moves the pointer over the window's background, (x, y) in client pixels.
  void moveMouse(int x, int y);
  // The user drags the frame until the client area has this size.
  void userResize(graphics::Size client);
  // The user minimises the window and restores it; the client area keeps its size.
  void minimize();
  void restore();

  bool showsChildren() const override { return shown_ && !minimized_; }

  // What the window system does when the program resizes the window (a window manager placing
  // it elsewhere, say).
  std::function<void(graphics::Size client)> onProgramResize;

 private:
  void requireShown(const char* action) const;

  forms::PeerListener& listener_;
  forms::Margins frame_;
  std::string caption_;
  Bytes icon_;
  graphics::Size client_;
  graphics::Size smallest_{1, 1};
  bool shown_ = false;
  bool minimized_ = false;
  std::vector<forms::WidgetPeer*> tabOrder_;
};

}  // namespace headless
