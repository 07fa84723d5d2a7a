#pragma once

#include "platform/forms/peers.h"

namespace forms {

class Runtime;
class Form;

// Coordinate systems of a container: twips or pixels.
enum class ScaleUnit { Twips = 1, Pixels = 3 };

// The window or a picture box: something that holds controls and gives them a scale.
class Container {
 public:
  virtual Runtime& runtime() = 0;
  virtual Form& form() = 0;
  virtual ContainerPeer& containerPeer() = 0;
  // Pixels per unit of the container's current scale.
  virtual float pixelsPerUnitX() const = 0;
  virtual float pixelsPerUnitY() const = 0;
  // Whether the container is on screen (shown, and its own container too).
  virtual bool showing() const = 0;

 protected:
  ~Container() = default;
};

}  // namespace forms
