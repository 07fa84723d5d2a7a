#pragma once

#include <X11/Xlib.h>

#include <vector>

// Reading the window manager's properties (EWMH), shared by whoever talks to it.
namespace x11 {

Atom internAtom(Display* display, const char* name);

// A format-32 property's values as an array of long, whatever the width of long; empty when
// the window lacks it or it has another type.
std::vector<unsigned long> propertyValues(Display* display, Window window, Atom name, Atom type);

}  // namespace x11
