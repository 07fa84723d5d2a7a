#include "platform/win32/ui/text_box_peer.h"

#include <windows.h>
// After windows.h, on whose types they build.
#include <imm.h>

#include "platform/win32/utf16.h"

namespace win32 {
namespace {

constexpr DWORD kSingleLine = ES_AUTOHSCROLL;
// Without a horizontal scroll bar the lines wrap at the box's width.
constexpr DWORD kMultiLine = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

COLORREF colorRef(graphics::Pixel pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

TextBoxPeer::TextBoxPeer(NativeContainer& parent, forms::PeerListener& listener)
    : ControlPeer(parent, listener) {
  makeEditor(kSingleLine);
}

void TextBoxPeer::setMultiLine(bool multiLine, bool verticalScrollBar) {
  makeEditor(multiLine ? kMultiLine | (verticalScrollBar ? WS_VSCROLL : 0) : kSingleLine);
}

void TextBoxPeer::makeEditor(DWORD style) {
  create(L"EDIT", style | WS_TABSTOP, WS_EX_CLIENTEDGE);
  // The one control that takes typing takes it in any input method (see NativeControl).
  ImmAssociateContextEx(handle(), nullptr, IACE_DEFAULT);
  showText();
}

void TextBoxPeer::setBackColor(graphics::Pixel color) {
  backColor_ = colorRef(color);
  background_.reset(CreateSolidBrush(*backColor_));
  InvalidateRect(handle(), nullptr, TRUE);
}

void TextBoxPeer::setText(const std::string& text) {
  text_ = text;
  showText();
}

void TextBoxPeer::showText() {
  // The program's text is not a user edit (a one-line EDIT says EN_CHANGE to it as well).
  showingText_ = true;
  SetWindowTextW(handle(), toUtf16(text_).c_str());
  showingText_ = false;
}

std::optional<LRESULT> TextBoxPeer::reflected(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !showingText_) {
    const int length = GetWindowTextLengthW(handle());
    std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(handle(), shown.data(), length + 1);
    shown.resize(static_cast<std::size_t>(length));
    text_ = toUtf8(shown);
    listener().peerTextEdited(text_);
    return std::nullopt;
  }
  // An editable box asks with WM_CTLCOLOREDIT, a read-only or disabled one with
  // WM_CTLCOLORSTATIC.
  if ((message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) && backColor_) {
    auto* context = reinterpret_cast<HDC>(wParam);
    SetBkColor(context, *backColor_);
    return reinterpret_cast<LRESULT>(background_.get());
  }
  return std::nullopt;
}

}  // namespace win32
