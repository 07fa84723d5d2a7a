#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/forms/resize_echoes.h"
#include "platform/win32/handles.h"
#include "platform/win32/ui/native_control.h"
#include "platform/win32/ui/tool_tips.h"

namespace win32 {

class Fonts;

// The top-level window (WS_OVERLAPPEDWINDOW). Reports the user's resizes, each size once, and
// its minimised and maximised states; the program's own resizes are not reported back. It sees
// every key release of its controls first, keeps the tab order, and closing it ends the
// message loop.
class Win32WindowPeer final : public forms::WindowPeer, public NativeContainer {
 public:
  Win32WindowPeer(forms::PeerListener& listener, Fonts& fonts);
  ~Win32WindowPeer() override;
  Win32WindowPeer(const Win32WindowPeer&) = delete;
  Win32WindowPeer& operator=(const Win32WindowPeer&) = delete;

  void setCaption(const std::string& caption) override;
  void setIcon(forms::ImageFile iconFile) override;
  void resizeClient(graphics::Size client) override;
  graphics::Size clientSize() const override;
  graphics::Size smallestClientSize() const override;
  forms::Margins frameMargins() const override;
  bool minimized() const override;
  bool maximized() const override;
  void show() override;
  bool shown() const override;
  void setTabOrder(const std::vector<forms::WidgetPeer*>& order) override;

  // NativeContainer
  HWND containerWindow() const override { return window_; }
  Win32WindowPeer& topWindow() override { return *this; }

  // For the controls inside.
  void keyReleased(WPARAM virtualKey);
  // Moves the focus from `from` to the next control of the tab order that can take it.
  void tab(HWND from, bool backwards);
  void controlReplaced(HWND old, HWND replacement);
  ToolTips& toolTips() { return *toolTips_; }
  Fonts& fonts() { return fonts_; }

 private:
  enum class State { Normal, Minimized, Maximized };

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void sized(WPARAM kind, graphics::Size client);
  void activated(bool active);
  bool canTakeFocus(HWND control) const;
  RECT outerRect(graphics::Size client) const;

  forms::PeerListener& listener_;
  Fonts& fonts_;
  HWND window_ = nullptr;
  std::unique_ptr<ToolTips> toolTips_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  State state_ = State::Normal;
  bool ownResize_ = false;
  // Under Wine only: see resizeClient.
  bool echoed_;
  forms::ResizeEchoes echoes_;
  mutable graphics::Size known_;  // the client size the runtime last saw
  std::vector<HWND> tabOrder_;
  HWND focusWhileInactive_ = nullptr;
};

}  // namespace win32
