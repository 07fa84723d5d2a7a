#include "platform/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "platform/forms/runtime_error.h"

namespace wayland {
namespace {

// The file behind the memory, closed once the compositor has its own handle on it.
class MemoryFile {
 public:
  explicit MemoryFile(std::size_t bytes) : fd_(memfd_create("orvex-capture-view", MFD_CLOEXEC)) {
    if (fd_ >= 0 && ftruncate(fd_, static_cast<off_t>(bytes)) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~MemoryFile() {
    if (fd_ >= 0) close(fd_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

forms::RuntimeError noMemory(graphics::Size size, int error) {
  return {7, "ビューの絵 (" + std::to_string(size.width) + "×" + std::to_string(size.height) +
                 ") のメモリを確保できません: " + std::strerror(error)};
}

}  // namespace

ShmBuffer::ShmBuffer(wl_shm* shm, graphics::Size size) {
  const auto stride = static_cast<std::ptrdiff_t>(size.width);
  bytes_ = static_cast<std::size_t>(stride) * static_cast<std::size_t>(size.height) *
           sizeof(graphics::Pixel);
  // The protocol sizes a pool in 32 bits.
  if (bytes_ > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw noMemory(size, EOVERFLOW);
  }
  const MemoryFile file(bytes_);
  if (file.fd() < 0) throw noMemory(size, errno);
  void* pixels = mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_SHARED, file.fd(), 0);
  if (pixels == MAP_FAILED) throw noMemory(size, errno);
  rows_ = {static_cast<graphics::Pixel*>(pixels), stride, size};
  wl_shm_pool* pool = wl_shm_create_pool(shm, file.fd(), static_cast<std::int32_t>(bytes_));
  buffer_ = wl_shm_pool_create_buffer(pool, 0, size.width, size.height,
                                      static_cast<std::int32_t>(stride * sizeof(graphics::Pixel)),
                                      WL_SHM_FORMAT_XRGB8888);
  // The buffer keeps the pool's memory for as long as it lives.
  wl_shm_pool_destroy(pool);
  static const wl_buffer_listener kListener = {.release = released};
  wl_buffer_add_listener(buffer_, &kListener, this);
}

ShmBuffer::~ShmBuffer() {
  wl_buffer_destroy(buffer_);
  munmap(rows_.pixels, bytes_);
}

void ShmBuffer::released(void* data, wl_buffer* /*buffer*/) {
  static_cast<ShmBuffer*>(data)->busy_ = false;
}

}  // namespace wayland
