#include "platform/win32/ui/window_peer.h"

#include <windows.h>
// After windows.h, on whose types they build.
#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/ui/fonts.h"
#include "platform/win32/ui/image_files.h"
#include "platform/win32/ui/input_state.h"
#include "platform/win32/ui/window_classes.h"
#include "platform/win32/utf16.h"

namespace win32 {
namespace {

constexpr const wchar_t* kWindowClass = L"OrvexCaptureWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = 0;

graphics::Size sizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

bool underWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

Win32WindowPeer::Win32WindowPeer(forms::PeerListener& listener, Fonts& fonts)
    : listener_(listener), fonts_(fonts), echoed_(underWine()) {
  registerWindowClass(kWindowClass, procedure, GetSysColorBrush(COLOR_BTNFACE));
  window_ = CreateWindowExW(kExtendedStyle, kWindowClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) {
    throw std::runtime_error("ウィンドウを作れません (エラー " + std::to_string(GetLastError()) +
                             ")");
  }
  ImmAssociateContext(window_, nullptr);  // see NativeControl::create
  toolTips_ = std::make_unique<ToolTips>(window_, fonts);
  known_ = clientSize();
}

Win32WindowPeer::~Win32WindowPeer() {
  toolTips_.reset();
  DestroyWindow(window_);
}

void Win32WindowPeer::setCaption(const std::string& caption) {
  SetWindowTextW(window_, toUtf16(caption).c_str());
}

void Win32WindowPeer::setIcon(forms::ImageFile iconFile) {
  // The title bar shows the small one, the task bar and Alt+Tab the big one.
  bigIcon_ = iconFromFile(iconFile, GetSystemMetrics(SM_CXICON));
  smallIcon_ = iconFromFile(iconFile, GetSystemMetrics(SM_CXSMICON));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

RECT Win32WindowPeer::outerRect(graphics::Size client) const {
  RECT rect{0, 0, client.width, client.height};
  AdjustWindowRectEx(&rect, kStyle, FALSE, kExtendedStyle);
  return rect;
}

void Win32WindowPeer::resizeClient(graphics::Size client) {
  const RECT outer = outerRect(client);
  if (IsIconic(window_) != FALSE) {
    // A minimised window keeps the size it will have when restored in its placement.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    placement.rcNormalPosition.right = placement.rcNormalPosition.left + outer.right - outer.left;
    placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + outer.bottom - outer.top;
    placement.showCmd = SW_SHOWMINNOACTIVE;
    SetWindowPlacement(window_, &placement);
  } else {
    // WM_SIZE comes inside SetWindowPos: that one is ours, not news for the runtime. Under
    // Wine the window is also an X window, whose window manager answers each size late, and
    // Wine replays the answers as resizes, back-to-back requests as their intermediate sizes.
    // Windows has no such answers: a record that nothing answers would swallow a user's
    // resize to a size we once asked for.
    if (echoed_) echoes_.requested(client);
    ownResize_ = true;
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ownResize_ = false;
  }
  clientSize();  // what the program asked for is known to it
}

// Windows keeps a window with a frame at its smallest tracking size, also for a size the
// program sets.
graphics::Size Win32WindowPeer::smallestClientSize() const {
  const RECT frame = outerRect({0, 0});
  return {
      std::max(1, GetSystemMetrics(SM_CXMINTRACK) - static_cast<int>(frame.right - frame.left)),
      std::max(1, GetSystemMetrics(SM_CYMINTRACK) - static_cast<int>(frame.bottom - frame.top))};
}

graphics::Size Win32WindowPeer::clientSize() const {
  if (IsIconic(window_) != FALSE) {
    // Minimised, the client area is empty; the runtime keeps the one it will get back.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window_, &placement);
    const RECT frame = outerRect({0, 0});
    const graphics::Size outer = sizeOf(placement.rcNormalPosition);
    known_ = {outer.width - (frame.right - frame.left), outer.height - (frame.bottom - frame.top)};
  } else {
    RECT client{};
    GetClientRect(window_, &client);
    known_ = sizeOf(client);
  }
  return known_;
}

forms::Margins Win32WindowPeer::frameMargins() const {
  if (IsIconic(window_) != FALSE) {
    const RECT frame = outerRect({0, 0});
    return {-frame.left, -frame.top, frame.right, frame.bottom};
  }
  // The frame the window really has (a made window has its frame before it shows).
  RECT outer{};
  GetWindowRect(window_, &outer);
  RECT client{};
  GetClientRect(window_, &client);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return {client.left - outer.left, client.top - outer.top, outer.right - client.right,
          outer.bottom - client.bottom};
}

bool Win32WindowPeer::minimized() const { return IsIconic(window_) != FALSE; }
bool Win32WindowPeer::maximized() const { return IsZoomed(window_) != FALSE; }
bool Win32WindowPeer::shown() const { return IsWindowVisible(window_) != FALSE; }

void Win32WindowPeer::show() {
  if (shown()) return;
  // The first window a program shows takes the show state its starter asked for (a shortcut
  // set to start minimised, say), whatever is asked here.
  ShowWindow(window_, SW_SHOWNORMAL);
  // A window opens with the focus on the first control of its tab order that can take it.
  const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(),
                                  [this](HWND control) { return canTakeFocus(control); });
  if (first != tabOrder_.end()) SetFocus(*first);
}

void Win32WindowPeer::setTabOrder(const std::vector<forms::WidgetPeer*>& order) {
  tabOrder_.clear();
  for (forms::WidgetPeer* peer : order) {
    tabOrder_.push_back(dynamic_cast<NativeControl&>(*peer).handle());
  }
}

void Win32WindowPeer::controlReplaced(HWND old, HWND replacement) {
  std::replace(tabOrder_.begin(), tabOrder_.end(), old, replacement);
}

bool Win32WindowPeer::canTakeFocus(HWND control) const {
  return IsWindow(control) != FALSE && IsWindowVisible(control) != FALSE &&
         IsWindowEnabled(control) != FALSE;
}

void Win32WindowPeer::tab(HWND from, bool backwards) {
  if (tabOrder_.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  const auto found = std::find(tabOrder_.begin(), tabOrder_.end(), from);
  // From outside the order (the window itself) Tab starts at its beginning.
  std::ptrdiff_t at = found != tabOrder_.end() ? found - tabOrder_.begin() : (backwards ? 0 : -1);
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = ((backwards ? at - 1 : at + 1) % count + count) % count;
    if (canTakeFocus(tabOrder_[static_cast<std::size_t>(at)])) {
      SetFocus(tabOrder_[static_cast<std::size_t>(at)]);
      return;
    }
  }
}

void Win32WindowPeer::keyReleased(WPARAM virtualKey) {
  listener_.peerKeyReleased(static_cast<int>(virtualKey), shiftState());
}

LRESULT CALLBACK Win32WindowPeer::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  auto* peer = peerOf<Win32WindowPeer>(window, message, lParam);
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (peer->window_ == nullptr) peer->window_ = window;  // messages inside CreateWindowExW
  return peer->handleMessage(message, wParam, lParam);
}

LRESULT Win32WindowPeer::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> answer = reflectToControl(message, wParam, lParam)) {
    return *answer;
  }
  switch (message) {
    case WM_SIZE:
      sized(wParam, {LOWORD(lParam), HIWORD(lParam)});
      return 0;
    case WM_ACTIVATE:
      activated(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      keyReleased(wParam);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_TAB && (shiftState() & ~1) == 0) {
        tab(nullptr, (shiftState() & 1) != 0);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      listener_.peerMouseMoved(mouseArgs(wParam, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_CLOSE:
      // The program ends: the loop stops, and the window goes with the program's objects.
      ShowWindow(window_, SW_HIDE);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32WindowPeer::sized(WPARAM kind, graphics::Size client) {
  const State state = kind == SIZE_MINIMIZED   ? State::Minimized
                      : kind == SIZE_MAXIMIZED ? State::Maximized
                                               : State::Normal;
  if (state != state_) {
    state_ = state;
    listener_.peerWindowStateChanged();
    return;
  }
  if (ownResize_ || state == State::Minimized) return;
  if (echoes_.answer(client) != forms::ResizeEchoes::Answer::Foreign || client == known_) return;
  known_ = client;
  listener_.peerResized(client);
}

void Win32WindowPeer::activated(bool active) {
  // The focus leaves with the window and comes back to the same control, not to the window.
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus) != FALSE) focusWhileInactive_ = focus;
    return;
  }
  if (IsIconic(window_) != FALSE) return;
  if (focusWhileInactive_ != nullptr && canTakeFocus(focusWhileInactive_) &&
      IsChild(window_, focusWhileInactive_) != FALSE) {
    SetFocus(focusWhileInactive_);
  } else if (GetFocus() == nullptr || IsChild(window_, GetFocus()) == FALSE) {
    SetFocus(window_);
  }
}

}  // namespace win32
