#pragma once

#include <QImage>
#include <optional>
#include <string>

#include "test_display.h"

// The picture on the clipboard as another program gets it: `target` (image/png, image/bmp)
// read by xclip. A null image when the clipboard holds no picture (or its owner does not
// answer in time).
QImage clipboardPicture(const char* target = "image/png");

// The window that owns the clipboard; 0 when nobody does.
unsigned long clipboardOwner(const TestDisplay& display);
void emptyClipboard(const TestDisplay& display);

// Another program, to which the user copied something: it owns the clipboard while it lives.
class OtherProgramCopying {
 public:
  OtherProgramCopying();
  ~OtherProgramCopying();
  OtherProgramCopying(const OtherProgramCopying&) = delete;
  OtherProgramCopying& operator=(const OtherProgramCopying&) = delete;

 private:
  TestDisplay display_;
  unsigned long window_;
};

// Another program that pastes `target`, a picture large enough to come in pieces: it takes
// the first piece at once and the rest only when told, as one that hangs half-way does until
// then.
class PasteInPieces {
 public:
  explicit PasteInPieces(const char* target);
  ~PasteInPieces();
  PasteInPieces(const PasteInPieces&) = delete;
  PasteInPieces& operator=(const PasteInPieces&) = delete;

  // Whether it got the first piece.
  bool started() const { return started_; }
  // Takes the rest: the whole picture; a null image if a piece did not come in time.
  QImage finish();

 private:
  TestDisplay display_;
  unsigned long window_;
  unsigned long property_;
  std::string bytes_;
  bool started_;
};

// A clipboard manager that is slow to answer: it owns CLIPBOARD_MANAGER while it lives, and
// answers a request to save the clipboard only when told to.
class SlowClipboardManager {
 public:
  SlowClipboardManager();
  ~SlowClipboardManager();
  SlowClipboardManager(const SlowClipboardManager&) = delete;
  SlowClipboardManager& operator=(const SlowClipboardManager&) = delete;

  // Whether a program has asked it to save the clipboard.
  bool asked();
  // Tells the program that asked that the content is saved.
  void answer() const;

 private:
  struct Request {
    unsigned long requestor, selection, target, property, time;
  };

  TestDisplay display_;
  unsigned long window_;
  std::optional<Request> request_;
};
