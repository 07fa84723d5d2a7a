#include "platform/win32/ui/native_control.h"

#include <windows.h>
// After windows.h, on whose types they build.
#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <stdexcept>

#include "platform/win32/ui/fonts.h"
#include "platform/win32/ui/image_files.h"
#include "platform/win32/ui/input_state.h"
#include "platform/win32/ui/tool_tips.h"
#include "platform/win32/ui/window_classes.h"
#include "platform/win32/ui/window_peer.h"
#include "platform/win32/utf16.h"

namespace win32 {

NativeContainer& nativeContainerOf(forms::ContainerPeer& peer) {
  return dynamic_cast<NativeContainer&>(peer);
}

NativeControl::NativeControl(NativeContainer& parent, forms::PeerListener& listener)
    : parent_(parent.containerWindow()), top_(parent.topWindow()), listener_(listener) {}

NativeControl::~NativeControl() { destroyWindow(); }

void NativeControl::create(const wchar_t* className, DWORD style, DWORD extendedStyle,
                           void* creationParameter) {
  // A replacement takes the old window's place among its siblings and its focus.
  HWND above = HWND_BOTTOM;  // a control made later lies below the ones made before
  bool hadFocus = false;
  HWND old = window_;
  if (old != nullptr) {
    HWND previous = GetWindow(old, GW_HWNDPREV);
    above = previous != nullptr ? previous : HWND_TOP;
    hadFocus = GetFocus() == old;
  }
  HWND made = CreateWindowExW(extendedStyle, className, L"",
                              style | WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0),
                              geometry_.left, geometry_.top, geometry_.width, geometry_.height,
                              parent_, nullptr, GetModuleHandleW(nullptr), creationParameter);
  if (made == nullptr) {
    throw std::runtime_error("コントロールのウィンドウを作れません (" + toUtf8(className) +
                             ", エラー " + std::to_string(GetLastError()) + ")");
  }
  destroyWindow();
  window_ = made;
  top_.controlReplaced(old, made);
  SetWindowPos(made, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowSubclass(made, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
  // The keys of a capture are digits: an input method left on (hiragana) would take them into
  // a composition of its own. Only a text box, which takes typing, keeps one.
  ImmAssociateContext(made, nullptr);
  if (font_ != nullptr) SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (!toolTip_.empty()) top_.toolTips().set(made, toolTip_);
  if (hadFocus) SetFocus(made);
}

void NativeControl::destroyWindow() {
  if (window_ == nullptr) return;
  HWND window = window_;
  top_.toolTips().remove(window);
  RemoveWindowSubclass(window, subclassProcedure, 0);
  window_ = nullptr;
  DestroyWindow(window);
}

void NativeControl::setGeometry(const graphics::Rect& pixels) {
  geometry_ = pixels;
  if (window_ != nullptr)
    MoveWindow(window_, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

// A control hidden and shown again at once (the layout does that to the lens bar) keeps the
// keyboard focus, as it would in a dialog; Windows alone hands it to the parent on hiding.
void NativeControl::setVisible(bool visible) {
  visible_ = visible;
  if (window_ == nullptr) return;
  if (!visible && GetFocus() == window_) {
    ShowWindow(window_, SW_HIDE);
    regainFocusOnShow_ = true;
    focusAfterHide_ = GetFocus();
    return;
  }
  ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
  if (!visible) return;
  // Only if nothing took the focus on purpose in between.
  if (regainFocusOnShow_ && GetFocus() == focusAfterHide_) SetFocus(window_);
  regainFocusOnShow_ = false;
}

void NativeControl::setToolTip(const std::string& text) {
  toolTip_ = text;
  if (window_ != nullptr) top_.toolTips().set(window_, text);
}

void NativeControl::setFont(const forms::FontSpec& font) {
  font_ = top_.fonts().font(font);
  if (window_ != nullptr) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void NativeControl::setPointer(std::optional<forms::ImageFile> cursorFile) {
  pointer_ = cursorFile ? cursorFromFile(*cursorFile) : nullptr;
}

bool NativeControl::setFocus() {
  if (window_ == nullptr || IsWindowEnabled(window_) == FALSE) return false;
  SetFocus(window_);
  return GetFocus() == window_;
}

bool NativeControl::hasFocus() const { return window_ != nullptr && GetFocus() == window_; }

POINT NativeControl::controlPoint(HWND window, POINT screen) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return {screen.x - frame.left, screen.y - frame.top};
}

LRESULT CALLBACK NativeControl::subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    // Destroyed with its parent: the peer outlives its window.
    RemoveWindowSubclass(window, subclassProcedure, 0);
    reinterpret_cast<NativeControl*>(self)->window_ = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  return reinterpret_cast<NativeControl*>(self)->handleMessage(window, message, wParam, lParam);
}

// `window` is the one the message came to: a text box replaces its window while it lives.
LRESULT NativeControl::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYUP:
    case WM_SYSKEYUP:
      // The window first, then the control's own handling.
      top_.keyReleased(wParam);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_TAB && (shiftState() & ~1) == 0) {
        top_.tab(window, (shiftState() & 1) != 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\t') return 0;  // Tab moves the focus, also out of a text box
      break;
    case WM_MOUSEMOVE: {
      POINT position{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window, &position);
      listener_.peerMouseMoved(mouseArgs(wParam, controlPoint(window, position)));
      break;
    }
    case WM_NCMOUSEMOVE:  // over a text box's frame or scroll bar, still the text box
      listener_.peerMouseMoved(
          mouseArgs(controlPoint(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})));
      break;
    case WM_SETCURSOR:
      if (pointer_ && reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
        SetCursor(pointer_.get());
        return TRUE;
      }
      break;
    default:
      if (message > kReflected && message <= kReflected + WM_CTLCOLORSTATIC) {
        return reflected(message - kReflected, wParam, lParam).value_or(0);
      }
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace win32
