#pragma once

#include <QAbstractNativeEventFilter>

#include "platform/x11/keyboard_map.h"

namespace x11 {

// The keyboard map on Qt's own X connection, read at start and read again after the server
// says the keyboard or its layouts changed, so that a key event costs no round trip.
class KeyboardMapTracker final : public QAbstractNativeEventFilter {
 public:
  // Installs itself as a filter of the application's native events; the filter goes with it.
  KeyboardMapTracker();

  const KeyboardMap& current();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  _XDisplay* display_ = nullptr;  // Qt's; null without X
  int xkbEventBase_ = -1;
  bool stale_ = true;
  KeyboardMap map_;
};

}  // namespace x11
