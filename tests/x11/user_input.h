#pragma once

#include <QPoint>
#include <string>

class TestDisplay;

// The user's hands: real pointer moves, clicks and key strokes through XTest, by raw key
// codes, so the keyboard state is exactly what the test sets.
class UserInput {
 public:
  explicit UserInput(const TestDisplay& display) : display_(display) {}

  void movePointer(QPoint screenPoint) const;
  // The left button, pressed or released where the pointer is.
  void pressButton() const;
  void releaseButton() const;
  // Press and release of the key that carries `keysym` (XK_... from X11/keysym.h).
  void tapKey(unsigned long keysym) const;
  // `keysym` tapped while the key of `heldKeysym` is held down.
  void tapKeyHolding(unsigned long keysym, unsigned long heldKeysym) const;

  bool numLock() const;
  void setNumLock(bool on) const;

  // The keyboard's layouts as setxkbmap takes them ("fr", "fr,us"), the first in use.
  void setLayouts(const std::string& layouts) const;
  // Switches to layout `group` (0 the first) of those set, as a layout switch key does.
  void useLayout(int group) const;

 private:
  void sendKey(unsigned long keysym, bool press) const;
  void sendButton(bool press) const;

  const TestDisplay& display_;
};
