#include "platform/win32/ui/window_classes.h"

namespace win32 {

void registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name, &existing) != FALSE) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

std::optional<LRESULT> reflectToControl(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = nullptr;
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
      control = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return std::nullopt;
  }
  // Menus and accelerators send WM_COMMAND without a control; scroll bars of the window's own
  // frame send WM_HSCROLL without one.
  if (control == nullptr) return std::nullopt;
  const LRESULT answer = SendMessageW(control, kReflected + message, wParam, lParam);
  return answer != 0 ? std::optional(answer) : std::nullopt;
}

}  // namespace win32
