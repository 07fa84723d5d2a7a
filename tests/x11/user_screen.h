#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

class TestDisplay;

// The user's eyes: screenshots and what the window manager tells about top-level windows.
class UserScreen {
 public:
  explicit UserScreen(const TestDisplay& display) : display_(display) {}

  QSize size() const;
  // What the screen shows in `area` (clipped to the screen), as Format_RGB32.
  QImage grab(QRect area) const;

  // The top-level windows the window manager manages.
  std::vector<unsigned long> managedWindows() const;
  unsigned long activeWindow() const;
  std::optional<long> pidOf(unsigned long window) const;
  std::string titleOf(unsigned long window) const;
  std::string classOf(unsigned long window) const;
  bool viewable(unsigned long window) const;
  // The window's inside, without the frame, in screen coordinates.
  QRect clientArea(unsigned long window) const;
  // The frame the window manager put around it; nothing before the window is framed.
  std::optional<QMargins> frameExtents(unsigned long window) const;

  // Asks the window manager to move the window's frame, as a user dragging it would.
  void moveFrame(unsigned long window, QPoint topLeft) const;
  // Asks the window manager to resize the window's inside, as a user dragging its edge would.
  void resizeClient(unsigned long window, QSize size) const;
  // Asks the window manager to close the window, as the user's click on its close button does.
  void closeWindow(unsigned long window) const;

 private:
  // Sends the window manager a request about `window` (EWMH's client messages to the root).
  void askWindowManager(unsigned long window, const char* request,
                        const std::vector<long>& data) const;
  std::string text(unsigned long window, const char* property, const char* type) const;

  const TestDisplay& display_;
};
