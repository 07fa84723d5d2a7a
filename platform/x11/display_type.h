#pragma once

// Xlib's display type, named without pulling Xlib's macros (None, Bool, KeyPress, ...) into
// files that also include Qt. The name is Xlib's, reserved or not.
struct _XDisplay;  // NOLINT(bugprone-reserved-identifier)
