#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/container.h"
#include "platform/forms/peers.h"

namespace forms {

class Control;

// The window. Its outer Width and Height are twips, frame included, whatever its scale;
// ScaleWidth and ScaleHeight are its client area in its scale. A size change raises Resize
// inside the write that made it, and only when the client area really changed. Like a native
// window it has a smallest size, and a smaller or negative size asked for gives that: on Linux
// its frame around one pixel, on Windows the system's smallest window (a client area some
// hundred pixels wide and a dozen high), which keeps it visible as the pixel does elsewhere.
class Form : public Container, protected PeerListener {
 public:
  static constexpr int vbMinimized = 1;
  static constexpr int vbMaximized = 2;

  explicit Form(Runtime& runtime);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  void setIcon(ImageFile iconFile);

  float Width() const;
  float Height() const;
  void setWidth(float twips);
  void setHeight(float twips);
  // The client area's width and height, in pixels, that setWidth and setHeight give for these
  // outer twips, asked before the window changes; never below the window's smallest.
  int clientWidthFor(float twips) const;
  int clientHeightFor(float twips) const;
  float ScaleWidth() const;
  float ScaleHeight() const;
  int ScaleMode() const { return static_cast<int>(scaleMode_); }
  void setScaleMode(int mode);
  int WindowState() const;
  bool KeyPreview() const { return keyPreview_; }
  void setKeyPreview(bool on) { keyPreview_ = on; }

  // Raises Load, then shows the window, which lays it out once more.
  void Start();
  void Show();

  std::function<void()> Load;
  std::function<void()> Resize;
  std::function<void(std::int16_t& keyCode, std::int16_t shift)> KeyUp;
  std::function<void(const MouseArgs&)> MouseMove;

  // Controls register themselves, so that the tab order follows their TabIndex.
  void registerControl(Control& control);

  // Container
  Runtime& runtime() override { return runtime_; }
  Form& form() override { return *this; }
  ContainerPeer& containerPeer() override { return *peer_; }
  float pixelsPerUnitX() const override;
  float pixelsPerUnitY() const override;
  bool showing() const override;

  WindowPeer& windowPeer() { return *peer_; }

 protected:
  ~Form() = default;

 private:
  void peerKeyReleased(int keyCode, int shift) override;
  void peerMouseMoved(const MouseArgs& args) override;
  void peerResized(graphics::Size client) override;
  void peerWindowStateChanged() override;

  void resizeClient(graphics::Size client);
  void clientSizeChanged(graphics::Size client);
  void raise(const std::function<void()>& handler);

  Runtime& runtime_;
  std::unique_ptr<WindowPeer> peer_;
  std::string caption_;
  ScaleUnit scaleMode_ = ScaleUnit::Twips;
  graphics::Size client_;
  bool keyPreview_ = false;
  std::vector<Control*> controls_;
};

}  // namespace forms
