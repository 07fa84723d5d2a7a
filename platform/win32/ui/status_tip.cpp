#include "platform/win32/ui/status_tip.h"

#include "platform/win32/utf16.h"

namespace win32 {
namespace {

constexpr UINT_PTR kTool = 1;
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kShownMs = 3000;
// From the client area's corner, in pixels at 96 dpi.
constexpr int kInset = 8;

}  // namespace

StatusTip::StatusTip(HWND owner, const Fonts& fonts)
    : owner_(owner),
      inset_(MulDiv(kInset, fonts.dpi(), USER_DEFAULT_SCREEN_DPI)),
      tip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                           nullptr)) {
  SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.toolTipFont()), FALSE);
  SetWindowLongPtrW(tip_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  TTTOOLINFOW note = tool();
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&note));
}

StatusTip::~StatusTip() { DestroyWindow(tip_); }

TTTOOLINFOW StatusTip::tool() {
  TTTOOLINFOW note{};
  note.cbSize = TTTOOLINFOW_V2_SIZE;
  // Placed by us, at the point we give, instead of following the pointer.
  note.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  note.hwnd = owner_;
  note.uId = kTool;
  note.lpszText = text_.data();
  return note;
}

void StatusTip::show(const std::string& text) {
  text_ = toUtf16(text);
  TTTOOLINFOW note = tool();
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&note));
  POINT corner{inset_, inset_};
  ClientToScreen(owner_, &corner);
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(corner.x, corner.y));
  SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&note));
  SetTimer(tip_, kHideTimer, kShownMs, &StatusTip::hide);
}

void CALLBACK StatusTip::hide(HWND tip, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  KillTimer(tip, timer);
  auto* self = reinterpret_cast<StatusTip*>(GetWindowLongPtrW(tip, GWLP_USERDATA));
  if (self == nullptr) return;
  TTTOOLINFOW note = self->tool();
  SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&note));
}

}  // namespace win32
