#include "platform/qt/button_peer.h"

namespace qtplatform {

QtButtonPeer::QtButtonPeer(QWidget& parent, forms::PeerListener& listener)
    : QtWidgetPeer(new QPushButton(&parent), listener) {
  QObject::connect(&widget(), &QPushButton::clicked, &widget(),
                   [&listener] { listener.peerClicked(); });
}

void QtButtonPeer::setCaption(const std::string& caption) {
  widget().setText(QString::fromStdString(caption));
}

}  // namespace qtplatform
