#include "platform/x11/window_properties.h"

namespace x11 {
namespace {

// More than any window manager lists in _NET_SUPPORTED or _NET_CLIENT_LIST.
constexpr long kMostValues = 4096;

}  // namespace

Atom internAtom(Display* display, const char* name) { return XInternAtom(display, name, False); }

std::vector<unsigned long> propertyValues(Display* display, Window window, Atom name, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, name, 0, kMostValues, False, type,
                                        &actualType, &format, &count, &remaining, &data);
  std::vector<unsigned long> found;
  if (status == Success && actualType == type && format == 32) {
    const auto* first = reinterpret_cast<const unsigned long*>(data);
    found.assign(first, first + count);
  }
  if (data != nullptr) XFree(data);
  return found;
}

}  // namespace x11
