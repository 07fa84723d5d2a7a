#pragma once

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace forms {

class CommandButton final : public Control {
 public:
  CommandButton(Container& container, std::string name);

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);

  std::function<void()> Click;

 private:
  ButtonPeer& peer() { return static_cast<ButtonPeer&>(widgetPeer()); }
  void peerClicked() override;

  std::string caption_;
};

}  // namespace forms
