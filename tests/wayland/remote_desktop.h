#pragma once

#include <QString>
#include <cstdint>

// The test's hands in the headless GNOME session: mutter's RemoteDesktop API, a seat's pointer
// and keyboard of its own, pointing on the session's first monitor. Only tests use it; the
// program under test never answers a dialog or fakes input.
class RemoteDesktop {
 public:
  // Starts a remote-desktop session on the session bus ($DBUS_SESSION_BUS_ADDRESS).
  RemoteDesktop();
  ~RemoteDesktop();
  RemoteDesktop(const RemoteDesktop&) = delete;
  RemoteDesktop& operator=(const RemoteDesktop&) = delete;

  bool started() const { return !stream_.isEmpty(); }

  // Moves the pointer to (x, y) of the first monitor.
  void movePointer(double x, double y) const;
  // A button (evdev's code: BTN_LEFT is 0x110) down or up.
  void pressButton(int button, bool down) const;
  // Presses and releases a key by its keysym, as a hand would, a little apart.
  void strikeKey(std::uint32_t keysym) const;
  void pressKey(std::uint32_t keysym, bool down) const;
  // The seat gains its keyboard with its first key, which is lost: a Shift tap, and a pause.
  // Until then Qt cannot set the clipboard either.
  void warmUp() const;
  // Shares the monitor in GNOME's ScreenCast dialog, focused: the row, then "Share".
  void answerShareDialog() const;
  // Cancels the dialog.
  void refuseShareDialog() const;

 private:
  QString session_;
  QString stream_;
};
