#include "platform/qt/timer_peer.h"

namespace qtplatform {

QtTimerPeer::QtTimerPeer(forms::PeerListener& listener) {
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [&listener] { listener.peerTicked(); });
}

}  // namespace qtplatform
