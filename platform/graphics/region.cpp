#include "platform/graphics/region.h"

namespace graphics {

platform::HandleTable<RegionTarget>& windows() {
  static platform::HandleTable<RegionTarget> table;
  return table;
}

}  // namespace graphics
