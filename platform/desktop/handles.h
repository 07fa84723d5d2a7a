#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>

// Opaque handles, as the program sees device contexts, windows and regions. 0 is never valid.
namespace platform {

using Hdc = std::uint32_t;
using Hwnd = std::uint32_t;
using Hrgn = std::uint32_t;

// Maps handles to the live objects behind them. An object is known by its handle exactly as long
// as the Registration that add() gave it lives, so a stale or made-up handle finds nothing
// instead of a dangling pointer, also when the object's constructor throws after registering.
template <typename Object>
class HandleTable {
 public:
  class Registration {
   public:
    Registration() = default;
    Registration(Registration&& other) noexcept
        : table_(std::exchange(other.table_, nullptr)), handle_(std::exchange(other.handle_, 0)) {}
    Registration& operator=(Registration&& other) noexcept {
      if (this != &other) {
        release();
        table_ = std::exchange(other.table_, nullptr);
        handle_ = std::exchange(other.handle_, 0);
      }
      return *this;
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    ~Registration() { release(); }

    std::uint32_t handle() const { return handle_; }

   private:
    friend class HandleTable;
    Registration(HandleTable& table, std::uint32_t handle) : table_(&table), handle_(handle) {}
    void release() {
      if (table_ != nullptr) table_->objects_.erase(handle_);
      table_ = nullptr;
    }

    HandleTable* table_ = nullptr;
    std::uint32_t handle_ = 0;
  };

  HandleTable() = default;
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // The table must outlive the registration.
  [[nodiscard]] Registration add(Object& object) {
    const std::uint32_t handle = next_++;
    objects_[handle] = &object;
    return {*this, handle};
  }
  Object* find(std::uint32_t handle) const {
    const auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : found->second;
  }

 private:
  std::uint32_t next_ = 1;
  std::unordered_map<std::uint32_t, Object*> objects_;
};

}  // namespace platform
