#include "platform/win32/ui/tool_tips.h"

#include "platform/win32/utf16.h"

namespace win32 {
namespace {

// Long tips (the icon box's disclaimer) wrap at this width, in pixels at 96 dpi.
constexpr int kWrapWidth = 400;

}  // namespace

ToolTips::ToolTips(HWND owner, const Fonts& fonts)
    : owner_(owner),
      // Shown also while another window is active: the user points at the screen while
      // working in other programs.
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                            nullptr)) {
  SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.toolTipFont()), FALSE);
  SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0,
               MulDiv(kWrapWidth, fonts.dpi(), USER_DEFAULT_SCREEN_DPI));
}

ToolTips::~ToolTips() { DestroyWindow(tips_); }

TTTOOLINFOW ToolTips::toolOf(HWND control) const {
  TTTOOLINFOW tool{};
  // The size that common controls 5 knows as well as 6.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  // The whole control is the tool, and the tooltip watches its mouse messages itself.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

void ToolTips::set(HWND control, const std::string& text) {
  remove(control);
  if (text.empty()) return;
  std::wstring wide = toUtf16(text);
  TTTOOLINFOW tool = toolOf(control);
  tool.lpszText = wide.data();  // copied by the tooltip control
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::remove(HWND control) {
  TTTOOLINFOW tool = toolOf(control);
  SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace win32
