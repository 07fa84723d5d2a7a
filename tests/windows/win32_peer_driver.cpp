// The Win32 peers' driver of the behaviour tests that every toolkit's peers pass.
#include <windows.h>
// After windows.h, on whose types it builds.
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/ui/win32_toolkit.h"
#include "platform/win32/utf16.h"
#include "tests/windows/win32_peer_fixture.h"

namespace win32_peer_test {

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

void holdKey(WORD virtualKey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(INPUT));
}

void pressKey(WORD virtualKey) {
  holdKey(virtualKey, true);
  holdKey(virtualKey, false);
}

void movePointerTo(HWND window, POINT position) {
  ClientToScreen(window, &position);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(position.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(position.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

void leftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(INPUT));
}

namespace {

using peer_test::Point;

// Wine answers within milliseconds; there is no round trip that says it has.
constexpr int kSettleMs = 300;

std::string textOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win32::toUtf8(text);
}

// The dialog boxes shown now (MessageBox makes them).
std::vector<HWND> shownBoxes() {
  std::vector<HWND> boxes;
  EnumWindows(
      [](HWND window, LPARAM found) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

// All that a box says: the texts of its parts.
std::string textOfBox(HWND box) {
  std::string all;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM text) {
        *reinterpret_cast<std::string*>(text) += textOf(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

class Win32PeerDriver final : public peer_test::PeerDriver {
 public:
  forms::Toolkit& toolkit() override { return toolkit_; }

  bool waitUntil(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout) override {
    return win32_peer_test::waitUntil(condition, timeout);
  }
  void letEventsIn() override { win32_peer_test::settle(20); }
  void settle() override { win32_peer_test::settle(kSettleMs); }
  bool showActive(forms::WindowPeer& window) override {
    window.show();
    SetForegroundWindow(handleOf(window));
    return waitUntil([&] { return GetForegroundWindow() == handleOf(window); },
                     peer_test::kPatience);
  }

  void pressKey(int virtualKey) override {
    win32_peer_test::pressKey(static_cast<WORD>(virtualKey));
  }
  void holdKey(int virtualKey, bool down) override {
    win32_peer_test::holdKey(static_cast<WORD>(virtualKey), down);
  }
  void movePointerTo(forms::WindowPeer& window, Point at) override {
    win32_peer_test::movePointerTo(handleOf(window), {at.x, at.y});
  }
  void movePointerTo(forms::WidgetPeer& control, Point at) override {
    win32_peer_test::movePointerTo(handleOf(control), {at.x, at.y});
  }
  void click() override {
    leftButton(true);
    leftButton(false);
  }
  void turnWheel(forms::WidgetPeer& control, Point at, int notches) override {
    movePointerTo(control, at);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    SendInput(1, &input, sizeof(INPUT));
  }
  // What the window manager or the user's drag does comes as a plain SetWindowPos.
  void resizeAsUser(forms::WindowPeer& window, graphics::Size client) override {
    const forms::Margins frame = window.frameMargins();
    SetWindowPos(handleOf(window), nullptr, 0, 0, client.width + frame.left + frame.right,
                 client.height + frame.top + frame.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  graphics::Pixel pixelAt(forms::WidgetPeer& control, Point at) override {
    HWND window = handleOf(control);
    UpdateWindow(window);
    HDC context = GetDC(window);
    const COLORREF colour = GetPixel(context, at.x, at.y);
    ReleaseDC(window, context);
    return graphics::rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
  }
  std::vector<std::string> linesShown(forms::TextBoxPeer& text) override {
    HWND editor = handleOf(text);
    std::vector<std::string> lines;
    const auto count = SendMessageW(editor, EM_GETLINECOUNT, 0, 0);
    for (LRESULT line = 0; line < count; ++line) {
      std::wstring shown(256, L'\0');
      shown[0] = static_cast<wchar_t>(shown.size());  // EM_GETLINE's buffer size goes first
      shown.resize(static_cast<std::size_t>(SendMessageW(
          editor, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(shown.data()))));
      lines.push_back(win32::toUtf8(shown));
    }
    return lines;
  }
  bool showsVerticalScrollBar(forms::TextBoxPeer& text) override {
    return (GetWindowLongW(handleOf(text), GWL_STYLE) & WS_VSCROLL) != 0;
  }
  bool topmostAt(forms::WindowPeer& window, Point at, forms::WidgetPeer& control) override {
    return ChildWindowFromPoint(handleOf(window), {at.x, at.y}) == handleOf(control);
  }
  std::optional<peer_test::PointerShape> pointerShown(forms::WidgetPeer& control,
                                                      Point at) override {
    win32_peer_test::movePointerTo(handleOf(control), {at.x, at.y});
    win32_peer_test::settle(200);  // WM_SETCURSOR comes with the move
    CURSORINFO shown{};
    shown.cbSize = sizeof shown;
    GetCursorInfo(&shown);
    if (shown.hCursor == LoadCursorW(nullptr, IDC_ARROW)) return std::nullopt;
    ICONINFO info{};
    if (shown.hCursor == nullptr || !GetIconInfo(shown.hCursor, &info)) return std::nullopt;
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    // A monochrome cursor's mask holds its AND and XOR halves, one above the other.
    const int height = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return peer_test::PointerShape{
        {static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)}, {mask.bmWidth, height}};
  }

  std::optional<forms::Margins> shownFrame(forms::WindowPeer& window) override {
    HWND handle = handleOf(window);
    RECT outer{};
    RECT client{};
    GetWindowRect(handle, &outer);
    GetClientRect(handle, &client);
    POINT corner{0, 0};
    ClientToScreen(handle, &corner);
    return forms::Margins{corner.x - outer.left, corner.y - outer.top,
                          outer.right - corner.x - client.right,
                          outer.bottom - corner.y - client.bottom};
  }
  graphics::Size shownClientSize(forms::WindowPeer& window) override {
    RECT client{};
    GetClientRect(handleOf(window), &client);
    return {client.right, client.bottom};
  }
  std::string shownCaption(forms::WindowPeer& window) override { return textOf(handleOf(window)); }
  bool showsIcon(forms::WindowPeer& window) override {
    return SendMessageW(handleOf(window), WM_GETICON, ICON_BIG, 0) != 0 &&
           SendMessageW(handleOf(window), WM_GETICON, ICON_SMALL, 0) != 0;
  }
  bool takesInput(forms::WindowPeer& window) override {
    return IsWindowEnabled(handleOf(window)) != 0;
  }

  std::vector<peer_test::ShownMessage> shownMessages() override {
    std::vector<peer_test::ShownMessage> shown;
    for (HWND box : shownBoxes()) shown.push_back({textOf(box), textOfBox(box)});
    return shown;
  }
  void closeMessages() override {
    for (HWND box : shownBoxes()) PostMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitUntil([] { return shownBoxes().empty(); }, peer_test::kPatience));
  }
  // The status note is a tooltip that the toolkit places and shows itself.
  std::optional<std::string> shownStatus() override {
    std::optional<std::string> shown;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
          wchar_t className[32] = {};
          GetClassNameW(window, className, 32);
          if (std::wstring(className) == TOOLTIPS_CLASSW && IsWindowVisible(window)) {
            *reinterpret_cast<std::optional<std::string>*>(found) = textOf(window);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
  }

 private:
  win32::Win32Toolkit toolkit_;
};

}  // namespace
}  // namespace win32_peer_test

std::unique_ptr<peer_test::PeerDriver> peer_test::makePeerDriver() {
  return std::make_unique<win32_peer_test::Win32PeerDriver>();
}
