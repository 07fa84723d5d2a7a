#include "platform/graphics/device_context.h"

namespace graphics {

platform::HandleTable<DeviceContext>& deviceContexts() {
  static platform::HandleTable<DeviceContext> table;
  return table;
}

}  // namespace graphics
