#pragma once

namespace x11 {

// Tells the user, in a message box that does not block the window and on stderr, that this
// is a Wayland session, what does not work in it, and how to start an X11 session instead.
void showWaylandNotice();

}  // namespace x11
