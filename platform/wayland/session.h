#pragma once

namespace wayland {

// Whether this is a Wayland session whose compositor answers: $WAYLAND_DISPLAY, or the
// default display of a session that says it is Wayland, accepts a connection.
bool waylandDisplayAnswers();

}  // namespace wayland
