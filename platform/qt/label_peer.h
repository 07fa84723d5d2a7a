#pragma once

#include <QLabel>

#include "platform/qt/widget_peer.h"

namespace qtplatform {

class QtLabelPeer final : public QtWidgetPeer<forms::LabelPeer, QLabel> {
 public:
  QtLabelPeer(QWidget& parent, forms::PeerListener& listener);
  void setCaption(const std::string& caption) override;
};

}  // namespace qtplatform
