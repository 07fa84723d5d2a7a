#include "user_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "program_process.h"
#include "test_display.h"

namespace {

constexpr unsigned int kLeftButton = 1;
constexpr std::chrono::seconds kLayoutLoadTimeout{10};

unsigned int numLockMask(Display* display) { return XkbKeysymToModifiers(display, XK_Num_Lock); }

}  // namespace

void UserInput::movePointer(QPoint screenPoint) const {
  XTestFakeMotionEvent(display_.get(), -1, screenPoint.x(), screenPoint.y(), CurrentTime);
  display_.sync();
}

void UserInput::sendButton(bool press) const {
  XTestFakeButtonEvent(display_.get(), kLeftButton, press ? True : False, CurrentTime);
  display_.sync();
}

void UserInput::pressButton() const { sendButton(true); }

void UserInput::releaseButton() const { sendButton(false); }

void UserInput::sendKey(unsigned long keysym, bool press) const {
  const KeyCode code = XKeysymToKeycode(display_.get(), keysym);
  if (code == 0) throw std::runtime_error("no key carries keysym " + std::to_string(keysym));
  XTestFakeKeyEvent(display_.get(), code, press ? True : False, CurrentTime);
}

void UserInput::tapKey(unsigned long keysym) const {
  sendKey(keysym, true);
  sendKey(keysym, false);
  display_.sync();
}

void UserInput::tapKeyHolding(unsigned long keysym, unsigned long heldKeysym) const {
  sendKey(heldKeysym, true);
  sendKey(keysym, true);
  sendKey(keysym, false);
  sendKey(heldKeysym, false);
  display_.sync();
}

bool UserInput::numLock() const {
  XkbStateRec state{};
  XkbGetState(display_.get(), XkbUseCoreKbd, &state);
  return (state.locked_mods & numLockMask(display_.get())) != 0;
}

// Locked directly rather than by tapping Num Lock, whose effect depends on the state before.
void UserInput::setNumLock(bool on) const {
  const unsigned int mask = numLockMask(display_.get());
  XkbLockModifiers(display_.get(), XkbUseCoreKbd, mask, on ? mask : 0);
  display_.sync();
}

void UserInput::setLayouts(const std::string& layouts) const {
  if (!outputOf({"setxkbmap", "-layout", layouts}, kLayoutLoadTimeout)) {
    throw std::runtime_error("setxkbmap could not set the layouts " + layouts);
  }
  display_.sync();
}

void UserInput::useLayout(int group) const {
  XkbLockGroup(display_.get(), XkbUseCoreKbd, static_cast<unsigned int>(group));
  display_.sync();
}
