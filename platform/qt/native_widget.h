#pragma once

class QWidget;

namespace qtplatform {

// The Qt widget behind a peer. The runtime hands peers around as forms interfaces; the toolkit
// needs the widget again to parent children and to chain the tab order.
class NativeWidget {
 public:
  virtual QWidget& nativeWidget() = 0;

 protected:
  ~NativeWidget() = default;
};

// The peer must be one of ours: a foreign peer here is a programming error.
template <typename Peer>
QWidget& nativeWidgetOf(Peer& peer) {
  return dynamic_cast<NativeWidget&>(peer).nativeWidget();
}

}  // namespace qtplatform
