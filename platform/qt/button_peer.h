#pragma once

#include <QPushButton>

#include "platform/qt/widget_peer.h"

namespace qtplatform {

class QtButtonPeer final : public QtWidgetPeer<forms::ButtonPeer, QPushButton> {
 public:
  QtButtonPeer(QWidget& parent, forms::PeerListener& listener);
  void setCaption(const std::string& caption) override;
};

}  // namespace qtplatform
