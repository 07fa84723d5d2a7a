#include "platform/qt/label_peer.h"

namespace qtplatform {

QtLabelPeer::QtLabelPeer(QWidget& parent, forms::PeerListener& listener)
    : QtWidgetPeer(new QLabel(&parent), listener) {
  // A classic label: opaque, text from the top-left, wrapped at its width, never rich text.
  widget().setAutoFillBackground(true);
  widget().setTextFormat(Qt::PlainText);
  widget().setAlignment(Qt::AlignLeft | Qt::AlignTop);
  widget().setWordWrap(true);
}

void QtLabelPeer::setCaption(const std::string& caption) {
  widget().setText(QString::fromStdString(caption));
}

}  // namespace qtplatform
