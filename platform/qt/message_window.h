#pragma once

#include <QDialog>
#include <QPointer>

namespace qtplatform {

// A message to the user in a window of its own that blocks nothing: an icon, the text and OK;
// it goes when closed. Its size comes from its text alone. Qt's own message box fits itself to
// its screen's free area, and a program started with no monitor on (an X server for a remote
// session may have none) has only a screen of no size: the box got no width, and a window of
// no width never shows.
class MessageWindow final : public QDialog {
 public:
  enum class Kind { Error, Warning };

  // `window`, the program's window, may be null.
  MessageWindow(Kind kind, const QString& title, const QString& text, QWidget* window);

  // Shows the message, or shows it again, where it can be seen: over the program's window,
  // within that window's screen, else within the first screen that has a size.
  void showWhereSeen();
  // Whether it has been on the screen: drawn there at least once.
  bool seen() const { return seen_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void placeWhereSeen();

  QPointer<QWidget> window_;
  bool seen_ = false;
};

}  // namespace qtplatform
