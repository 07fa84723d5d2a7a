#pragma once

#include <vector>

#include "platform/x11/display_type.h"

// The tests' own client of the display under test ($DISPLAY, an Xvfb): it plays the user, draws
// on the screen and looks at it, apart from the connections of the code under test. Windows and
// pixmaps are Xlib's ids (unsigned long), so that files that include Qt need not include Xlib.
//
// The errors of its requests are ignored: windows of other clients come and go while a test
// looks at them. Those of every other connection go to the handler that was there before, so
// that an error the code under test fails to trap still shows.
class TestDisplay {
 public:
  // Opens $DISPLAY and waits until the window manager has caught up with what came before: the
  // server hands this connection the ids of a connection that closed before it, and a window
  // manager that handles that connection's windows late would handle ours in their place (it
  // unmaps and moves a window of ours that has the id of one it still unmanages).
  TestDisplay();
  ~TestDisplay();
  TestDisplay(const TestDisplay&) = delete;
  TestDisplay& operator=(const TestDisplay&) = delete;

  // Null when there is no display to open.
  _XDisplay* get() const { return display_; }
  unsigned long root() const;
  int width() const;
  int height() const;
  // The atom of `name`, made if no client has made it yet.
  unsigned long atom(const char* name) const;
  // The values of a format-32 property of `window`; none when it lacks it or it has another type.
  std::vector<unsigned long> property(unsigned long window, const char* name,
                                      unsigned long type) const;
  // Returns once the server has handled every request sent so far.
  void sync() const;
  // Between two looks at the events that came in: returns as soon as more come, at the latest
  // after kLookInterval.
  void awaitInput() const;

  bool windowManagerRuns() const;
  // Returns once the window manager has handled all that reached the server before: requests
  // redirected to it (a map, a resize) and the events of windows that went. It is asked for
  // something it answers in turn with the rest, the frame it would give a window of ours that
  // is never shown. True also where no window manager takes that request (there is nothing to
  // wait for); false when one does and did not answer within kPatience.
  bool windowManagerCaughtUp() const;

  // A window that the window manager leaves alone, not mapped yet, with `background` (a
  // pixmap) as its background if one is given.
  unsigned long createUnmanagedWindow(int x, int y, int width, int height,
                                      unsigned long background = 0) const;
  // Maps a window of ours above all others; returns once it is mapped.
  void mapRaised(unsigned long window) const;
  // Such a window, mapped, that notes the keys it gets.
  unsigned long mapUnmanagedWindow(int x, int y, int width, int height) const;
  // Waits for a structure event of `type` on `window`, dropping the ones before it.
  void waitFor(unsigned long window, int type) const;

  // Gives `window` (one that shows) the keyboard focus; true if it still has it once the window
  // manager has handled that and all before. False for a window that does not show.
  bool takeFocus(unsigned long window) const;
  unsigned long focusedWindow() const;
  bool viewable(unsigned long window) const;

  // A pixmap of the screen's depth holding these pixel values (`width` a row).
  unsigned long pixmapOfValues(const std::vector<unsigned long>& values, int width,
                               int height) const;

 private:
  bool windowManagerTakesFrameRequests() const;

  _XDisplay* display_;
};
