#pragma once

#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

#include "platform/forms/peers.h"
#include "platform/qt/key_release_watcher.h"
#include "platform/qt/native_widget.h"
#include "platform/qt/pointer_reporter.h"
#include "platform/qt/window_system.h"
#include "platform/qt/window_widget.h"

namespace qtplatform {

class QtWindowPeer final : public forms::WindowPeer, public NativeWidget {
 public:
  QtWindowPeer(forms::PeerListener& listener, WindowSystem& windowSystem);

  void setCaption(const std::string& caption) override;
  void setIcon(forms::ImageFile iconFile) override;
  void resizeClient(graphics::Size client) override { window_.resizeClient(client); }
  graphics::Size clientSize() const override { return window_.clientSize(); }
  // An empty client area would take the window off the screen altogether (Qt unmaps it).
  graphics::Size smallestClientSize() const override { return {1, 1}; }
  forms::Margins frameMargins() const override;
  bool minimized() const override { return window_.isMinimized(); }
  bool maximized() const override { return window_.isMaximized(); }
  void show() override;
  bool shown() const override { return window_.isVisible(); }
  void setTabOrder(const std::vector<forms::WidgetPeer*>& order) override;

  QWidget& nativeWidget() override { return window_; }

 private:
  WindowWidget window_;
  PointerReporter pointer_;  // moves over the window's own background
  KeyReleaseWatcher keys_;
  std::vector<QPointer<QWidget>> tabOrder_;
  std::function<forms::Margins()> frameAnswer_;
  mutable std::optional<forms::Margins> announcedFrame_;  // the answer, once it was needed
};

}  // namespace qtplatform
