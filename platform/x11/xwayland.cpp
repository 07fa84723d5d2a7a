#include "platform/x11/xwayland.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <string_view>

#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

bool hasXWaylandMonitor(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return false;
  ErrorTrap trap(display);
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (resources == nullptr) return false;
  bool found = false;
  for (int i = 0; i < resources->noutput && !found; ++i) {
    XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
    if (output == nullptr) continue;
    found = std::string_view(output->name, static_cast<std::size_t>(output->nameLen))
                .starts_with("XWAYLAND");
    XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(resources);
  return found;
}

}  // namespace

bool isXWayland(Display* display) {
  int opcode = 0;
  int eventBase = 0;
  int errorBase = 0;
  return XQueryExtension(display, "XWAYLAND", &opcode, &eventBase, &errorBase) ||
         hasXWaylandMonitor(display);
}

}  // namespace x11
