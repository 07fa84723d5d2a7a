#include "platform/forms/label.h"

#include <utility>

namespace forms {

Label::Label(Container& container, std::string name)
    : Control(container, std::move(name), [](Toolkit& toolkit, ContainerPeer& parent, PeerListener& listener) {
        return toolkit.createLabel(parent, listener);
      }) {}

void Label::setCaption(const std::string& caption) {
  caption_ = caption;
  peer().setCaption(caption);
}

}  // namespace forms
