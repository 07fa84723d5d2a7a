#include "platform/forms/command_button.h"

#include <utility>

namespace forms {

CommandButton::CommandButton(Container& container, std::string name)
    : Control(container, std::move(name), [](Toolkit& toolkit, ContainerPeer& parent, PeerListener& listener) {
        return toolkit.createButton(parent, listener);
      }) {}

void CommandButton::setCaption(const std::string& caption) {
  caption_ = caption;
  peer().setCaption(caption);
}

void CommandButton::peerClicked() {
  raise([this] {
    if (Click) Click();
  });
}

}  // namespace forms
