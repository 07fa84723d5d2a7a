#pragma once

#include "platform/qt/classic_scroll_bar.h"
#include "platform/qt/widget_peer.h"

namespace qtplatform {

class QtScrollBarPeer final : public QtWidgetPeer<forms::ScrollBarPeer, ClassicScrollBar> {
 public:
  QtScrollBarPeer(QWidget& parent, forms::PeerListener& listener);
  void setRange(const forms::ScrollRange& range) override;
  void setValue(int value) override;
};

}  // namespace qtplatform
