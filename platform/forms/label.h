#pragma once

#include <string>

#include "platform/forms/control.h"

namespace forms {

class Label final : public Control {
 public:
  Label(Container& container, std::string name);

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool canTakeFocus() const override { return false; }

 private:
  LabelPeer& peer() { return static_cast<LabelPeer&>(widgetPeer()); }

  std::string caption_;
};

}  // namespace forms
