#include "platform/win32/ui/scroll_bar_peer.h"

#include <algorithm>

namespace win32 {

ScrollBarPeer::ScrollBarPeer(NativeContainer& parent, forms::PeerListener& listener)
    : ControlPeer(parent, listener) {
  create(L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, 0);
  setRange(range_);
}

void ScrollBarPeer::setRange(const forms::ScrollRange& range) {
  // The runtime moves the value into a new range itself, and reports that on its own.
  range_ = range;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  info.nMin = range.min;
  info.nMax = range.max;
  SetScrollInfo(handle(), SB_CTL, &info, TRUE);
  value_ = std::clamp(value_, range.min, range.max);
}

void ScrollBarPeer::setValue(int value) {
  // SetScrollPos sends no WM_HSCROLL: nothing comes back as a user's scroll.
  value_ = value;
  SetScrollPos(handle(), SB_CTL, value, TRUE);
}

std::optional<int> ScrollBarPeer::target(int request) const {
  switch (request) {
    case SB_LINELEFT:
      return value_ - range_.smallChange;
    case SB_LINERIGHT:
      return value_ + range_.smallChange;
    case SB_PAGELEFT:
      return value_ - range_.largeChange;
    case SB_PAGERIGHT:
      return value_ + range_.largeChange;
    case SB_LEFT:
      return range_.min;
    case SB_RIGHT:
      return range_.max;
    case SB_THUMBPOSITION: {
      // The thumb was let go. SB_THUMBTRACK, while it is dragged, moves nothing: the bar
      // draws its thumb by itself meanwhile, and the value changes once, here.
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(handle(), SB_CTL, &info);
      return info.nTrackPos;
    }
    default:  // SB_THUMBTRACK, SB_ENDSCROLL
      return std::nullopt;
  }
}

std::optional<LRESULT> ScrollBarPeer::reflected(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message != WM_HSCROLL) return std::nullopt;
  const std::optional<int> moved = target(LOWORD(wParam));
  if (!moved) return std::nullopt;
  const int value = std::clamp(*moved, range_.min, range_.max);
  // The bar shows where it is, also when the value did not change (a thumb let go where it
  // started).
  SetScrollPos(handle(), SB_CTL, value, TRUE);
  if (value == value_) return std::nullopt;
  value_ = value;
  listener().peerScrolled(value);
  return std::nullopt;
}

}  // namespace win32
