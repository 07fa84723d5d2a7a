#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/forms/container.h"
#include "platform/forms/peers.h"

namespace forms {

// What every visible control has: a place in its container's scale, visibility, a tooltip,
// a pointer, a font, a tab index and the focus. Positions are kept in pixels as single-precision
// values and converted to and from the container's scale on every access, so a container that
// switches from twips to pixels keeps every control where it was.
class Control : protected PeerListener {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  float Left() const;
  float Top() const;
  float Width() const;
  float Height() const;
  void setLeft(float value);
  void setTop(float value);
  void setWidth(float value);
  void setHeight(float value);

  bool Visible() const { return visible_; }
  void setVisible(bool visible);

  const std::string& ToolTipText() const { return toolTip_; }
  void setToolTipText(const std::string& text);
  void setFont(const FontSpec& font);
  // A custom pointer (a cursor file) over the control, or the kind's default.
  void setMouseIcon(std::optional<ImageFile> cursorFile);

  int TabIndex() const { return tabIndex_; }
  void setTabIndex(int index) { tabIndex_ = index; }
  virtual bool canTakeFocus() const { return true; }
  // Fails with RuntimeError::invalidProcedureCall() when the control cannot take the focus.
  void SetFocus();
  bool hasFocus() const { return widget_->hasFocus(); }

  // Design place in the container's current scale.
  void place(float left, float top, float width, float height);

  WidgetPeer& widgetPeer() { return *widget_; }
  const std::string& name() const { return name_; }
  bool showing() const;

  std::function<void(const MouseArgs&)> MouseMove;

 protected:
  using PeerMaker =
      std::function<std::unique_ptr<WidgetPeer>(Toolkit&, ContainerPeer&, PeerListener&)>;
  Control(Container& container, std::string name, const PeerMaker& makePeer);
  ~Control() = default;

  Container& container() { return container_; }
  Runtime& runtime() { return container_.runtime(); }
  // Delivers an event of this control through the runtime's error boundary.
  void raise(const std::function<void()>& handler);
  // The pixel size changed (after the peer has its new geometry).
  virtual void pixelSizeChanged() {}

  graphics::Size pixelSize() const;

  void peerMouseMoved(const MouseArgs& args) override;

 private:
  void updateGeometry(bool sizeChanged);

  Container& container_;
  std::string name_;
  std::unique_ptr<WidgetPeer> widget_;
  float left_ = 0;  // pixels
  float top_ = 0;
  float width_ = 0;
  float height_ = 0;
  bool visible_ = true;
  std::string toolTip_;
  int tabIndex_ = 0;
};

}  // namespace forms
