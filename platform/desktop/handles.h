#pragma once

#include <cstdint>
#include <unordered_map>

// Opaque handles, as the program sees device contexts, windows and regions. 0 is never valid.
namespace platform {

using Hdc = std::uint32_t;
using Hwnd = std::uint32_t;
using Hrgn = std::uint32_t;

// Maps handles to the live objects behind them. Objects register for their lifetime, so a
// stale or made-up handle finds nothing instead of a dangling pointer.
template <typename Object>
class HandleTable {
 public:
  std::uint32_t add(Object& object) {
    const std::uint32_t handle = next_++;
    objects_[handle] = &object;
    return handle;
  }
  void remove(std::uint32_t handle) { objects_.erase(handle); }
  Object* find(std::uint32_t handle) const {
    const auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : found->second;
  }
  std::size_t size() const { return objects_.size(); }

 private:
  std::uint32_t next_ = 1;
  std::unordered_map<std::uint32_t, Object*> objects_;
};

}  // namespace platform
