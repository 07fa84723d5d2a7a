#pragma once

namespace qtplatform {

// Whether the X display named by $DISPLAY accepts a connection. Qt aborts the program when it
// cannot connect, so the entry asks first and can say why it stops.
bool xDisplayReachable();

}  // namespace qtplatform
