#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/forms/peers.h"
#include "platform/win32/handles.h"

namespace win32 {

class Win32WindowPeer;

// The window or a picture box, as a parent of native controls.
class NativeContainer {
 public:
  virtual HWND containerWindow() const = 0;
  // The top-level window that the container lies in (itself for the window).
  virtual Win32WindowPeer& topWindow() = 0;

 protected:
  ~NativeContainer() = default;
};

// The peer must be one of ours: a foreign peer here is a programming error.
NativeContainer& nativeContainerOf(forms::ContainerPeer& peer);

// One control on a native child window: its place, visibility, tooltip, font, pointer and
// focus, and what every control does the same way with its window's messages: the window sees
// each key release first, Tab moves along the window's tab order, a pointer move is reported by
// the control under the pointer (the native hit test already finds exactly one), and the
// container's notifications come back to the control's own peer (reflected()).
class NativeControl {
 public:
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  // Null once the window is gone (destroyed with its parent).
  HWND handle() const { return window_; }

  void setGeometry(const graphics::Rect& pixels);
  void setVisible(bool visible);
  void setToolTip(const std::string& text);
  void setFont(const forms::FontSpec& font);
  void setPointer(std::optional<forms::ImageFile> cursorFile);
  bool setFocus();
  bool hasFocus() const;

 protected:
  NativeControl(NativeContainer& parent, forms::PeerListener& listener);
  virtual ~NativeControl();

  // Makes the control's native window (or a new one in place of the old, which goes), and
  // gives it everything set so far. `creationParameter` reaches a class of our own at
  // WM_NCCREATE.
  void create(const wchar_t* className, DWORD style, DWORD extendedStyle,
              void* creationParameter = nullptr);

  // A notification or colour question that the container passed back (see kReflected):
  // the answer, or nothing to leave it to the default handling.
  virtual std::optional<LRESULT> reflected(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return std::nullopt;
  }

  forms::PeerListener& listener() { return listener_; }
  HWND parentWindow() const { return parent_; }
  Win32WindowPeer& topWindow() { return top_; }

 private:
  static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
  LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void destroyWindow();
  // A point on the screen in the pixels of `window`, its frame included.
  static POINT controlPoint(HWND window, POINT screen);

  HWND parent_;
  Win32WindowPeer& top_;
  forms::PeerListener& listener_;
  HWND window_ = nullptr;
  graphics::Rect geometry_;
  bool visible_ = true;
  std::string toolTip_;
  HFONT font_ = nullptr;  // the toolkit's
  UniqueCursor pointer_;
  bool regainFocusOnShow_ = false;
  HWND focusAfterHide_ = nullptr;
};

// A control's peer: the kind's peer interface on a native control.
template <typename Interface>
class ControlPeer : public Interface, public NativeControl {
 public:
  void setGeometry(const graphics::Rect& pixels) override { NativeControl::setGeometry(pixels); }
  void setVisible(bool visible) override { NativeControl::setVisible(visible); }
  void setToolTip(const std::string& text) override { NativeControl::setToolTip(text); }
  void setFont(const forms::FontSpec& font) override { NativeControl::setFont(font); }
  void setPointer(std::optional<forms::ImageFile> cursorFile) override {
    NativeControl::setPointer(cursorFile);
  }
  bool setFocus() override { return NativeControl::setFocus(); }
  bool hasFocus() const override { return NativeControl::hasFocus(); }

 protected:
  using NativeControl::NativeControl;
};

}  // namespace win32
