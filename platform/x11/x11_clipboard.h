#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/desktop/clipboard.h"
#include "platform/x11/selection_owner.h"
#include "platform/x11/unique_fd.h"
#include "platform/x11/xcb_connection.h"

namespace x11 {

// Encodes a picture in an image file format ("PNG", "BMP"); empty when it cannot.
using PictureEncoder = std::function<std::string(const graphics::Bitmap&, const char* format)>;

// The clipboard on X11, served by us: the picture goes out as PNG and BMP, each encoded when a
// program first asks for it, from a window and a thread of our own. Served apart from the
// toolkit's event loop, a paste never waits for a handler to end, nor for the toolkit itself
// to wait for us (Qt asks the clipboard's owner with its event loop stopped).
class X11Clipboard final : public platform::Clipboard {
 public:
  // Throws std::runtime_error when there is no X display. `encode` runs on the serving thread.
  explicit X11Clipboard(PictureEncoder encode);
  ~X11Clipboard() override;
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  void Clear() override;
  void SetData(const graphics::Bitmap& picture) override;

  // At exit: if the X server still names us the clipboard's owner (another program, another
  // copy of this one too, may have copied since), hands the picture to a keeper process, so
  // that it stays pasteable after we are gone. Then answers what was asked of us until the
  // keeper took over and finishes the pastes under way, each bounded: a program that stops
  // fetching its picture keeps us a few seconds at most.
  void handOver();

 private:
  class EncodedPicture;

  void serve();
  bool ownedNow();
  void wakeServer() const;
  void stopServing();

  XcbConnection connection_;
  SelectionOwner owner_;
  PictureEncoder encode_;
  std::shared_ptr<EncodedPicture> picture_;  // the picture we put on the clipboard last
  graphics::Bitmap spare_;  // the memory of one cleared from it, for the next (this thread's)
  UniqueFd wake_;           // tells the serving thread to look again
  std::mutex mutex_;        // the owner's and the connection's events
  bool stopping_ = false;
  std::thread server_;
};

}  // namespace x11
