#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Fields in the little-endian order the Windows image formats use, whatever the host's order.
class ByteWriter {
 public:
  void u8(std::uint8_t value) { bytes_.push_back(value); }
  void u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value));
    u8(static_cast<std::uint8_t>(value >> 8));
  }
  void u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value));
    u16(static_cast<std::uint16_t>(value >> 16));
  }
  void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
  void bytes(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }

  std::uint32_t size() const { return static_cast<std::uint32_t>(bytes_.size()); }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};
