#include "platform/wayland/monitor_stream.h"

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>
#include <sys/mman.h>

#include <array>

namespace wayland {
namespace {

// The live view shows 20 frames a second; a few more keep the newest frame fresh for it.
constexpr std::uint32_t kMostFramesPerSecond = 30;
// The cursor's bitmap comes with its metadata, sized by the cursor: newer GNOME sends no
// cursor metadata at all to a stream that asks for one fixed size.
constexpr int cursorMetaSize(int width, int height) {
  return static_cast<int>(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + width * height * 4;
}

struct Format {
  spa_video_format format;
  ChannelOrder order;
};
constexpr std::array kFormats = {Format{SPA_VIDEO_FORMAT_BGRx, ChannelOrder::Bgr},
                                 Format{SPA_VIDEO_FORMAT_BGRA, ChannelOrder::Bgr},
                                 Format{SPA_VIDEO_FORMAT_RGBx, ChannelOrder::Rgb},
                                 Format{SPA_VIDEO_FORMAT_RGBA, ChannelOrder::Rgb}};

const spa_pod* metaParameter(spa_pod_builder& builder, spa_meta_type type, int size, int least,
                             int most) {
  spa_pod_frame object{};
  spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta);
  spa_pod_builder_prop(&builder, SPA_PARAM_META_type, 0);
  spa_pod_builder_id(&builder, type);
  spa_pod_builder_prop(&builder, SPA_PARAM_META_size, 0);
  if (least == most) {
    spa_pod_builder_int(&builder, size);
  } else {
    spa_pod_frame range{};
    spa_pod_builder_push_choice(&builder, &range, SPA_CHOICE_Range, 0);
    spa_pod_builder_int(&builder, size);
    spa_pod_builder_int(&builder, least);
    spa_pod_builder_int(&builder, most);
    spa_pod_builder_pop(&builder, &range);
  }
  return static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
}

// The frame's memory as we read it. Mapped by us, not by PipeWire, which would map every
// buffer whole and bring all its pages in: only the pages a read touches become ours.
struct Mapping {
  void* address = MAP_FAILED;
  std::size_t length = 0;
  const std::byte* pixels = nullptr;
};

void mapBuffer(pw_buffer& buffer) {
  spa_data& data = buffer.buffer->datas[0];
  auto* mapping = new Mapping();
  buffer.user_data = mapping;
  if (data.type == SPA_DATA_MemPtr) {
    mapping->pixels = static_cast<const std::byte*>(data.data);
    return;
  }
  if (data.type != SPA_DATA_MemFd || data.fd < 0) return;
  mapping->length = data.mapoffset + data.maxsize;
  mapping->address =
      mmap(nullptr, mapping->length, PROT_READ, MAP_SHARED, static_cast<int>(data.fd), 0);
  if (mapping->address != MAP_FAILED) {
    mapping->pixels = static_cast<const std::byte*>(mapping->address) + data.mapoffset;
  }
}

void unmapBuffer(pw_buffer& buffer) {
  auto* mapping = static_cast<Mapping*>(buffer.user_data);
  if (mapping == nullptr) return;
  if (mapping->address != MAP_FAILED) munmap(mapping->address, mapping->length);
  delete mapping;
  buffer.user_data = nullptr;
}

const std::byte* pixelsOf(const pw_buffer& buffer) {
  const auto* mapping = static_cast<const Mapping*>(buffer.user_data);
  return mapping != nullptr ? mapping->pixels : nullptr;
}

bool carriesPicture(const pw_buffer& mapped) {
  const spa_buffer& buffer = *mapped.buffer;
  if (buffer.n_datas == 0 || pixelsOf(mapped) == nullptr || buffer.datas[0].chunk == nullptr) {
    return false;
  }
  const spa_chunk& chunk = *buffer.datas[0].chunk;
  if (chunk.size == 0 || (chunk.flags & SPA_CHUNK_FLAG_CORRUPTED) != 0) return false;
  const auto* header = static_cast<const spa_meta_header*>(
      spa_buffer_find_meta_data(&buffer, SPA_META_Header, sizeof(spa_meta_header)));
  return header == nullptr || (header->flags & SPA_META_HEADER_FLAG_CORRUPTED) == 0;
}

const spa_pod* sharedMemoryBuffers(spa_pod_builder& builder) {
  spa_pod_frame object{};
  spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers);
  // One held, one being filled, one spare: the compositor's usual sixteen would only be memory.
  spa_pod_builder_prop(&builder, SPA_PARAM_BUFFERS_buffers, 0);
  spa_pod_frame count{};
  spa_pod_builder_push_choice(&builder, &count, SPA_CHOICE_Range, 0);
  spa_pod_builder_int(&builder, 3);
  spa_pod_builder_int(&builder, 2);
  spa_pod_builder_int(&builder, 4);
  spa_pod_builder_pop(&builder, &count);
  spa_pod_builder_prop(&builder, SPA_PARAM_BUFFERS_dataType, 0);
  spa_pod_frame flags{};
  spa_pod_builder_push_choice(&builder, &flags, SPA_CHOICE_Flags, 0);
  spa_pod_builder_int(&builder, (1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr));
  spa_pod_builder_pop(&builder, &flags);
  return static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
}

}  // namespace

struct MonitorStream::Listener {
  spa_hook hook{};
  pw_stream_events events{};
};

MonitorStream::MonitorStream(pw_core* core, std::uint32_t node, std::function<void()> changed,
                             std::function<void()> ended)
    : node_(node),
      changed_(std::move(changed)),
      ended_(std::move(ended)),
      listener_(std::make_unique<Listener>()) {
  pw_properties* properties = pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                                "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr);
  stream_ = pw_stream_new(core, "orvex-capture", properties);
  if (stream_ == nullptr) return;
  pw_stream_events& events = listener_->events;
  events.version = PW_VERSION_STREAM_EVENTS;
  events.state_changed = [](void* data, pw_stream_state /*old*/, pw_stream_state state,
                            const char* /*error*/) {
    static_cast<MonitorStream*>(data)->stateChanged(state);
  };
  events.param_changed = [](void* data, uint32_t id, const spa_pod* param) {
    if (id == SPA_PARAM_Format && param != nullptr) {
      static_cast<MonitorStream*>(data)->formatChanged(param);
    }
  };
  events.add_buffer = [](void* /*data*/, pw_buffer* buffer) { mapBuffer(*buffer); };
  events.remove_buffer = [](void* data, pw_buffer* buffer) {
    // A new size brings new buffers; the held one goes with the old.
    auto* self = static_cast<MonitorStream*>(data);
    if (self->held_ == buffer) self->held_ = nullptr;
    unmapBuffer(*buffer);
  };
  events.process = [](void* data) { static_cast<MonitorStream*>(data)->takeBuffers(); };
  pw_stream_add_listener(stream_, &listener_->hook, &events, this);

  std::array<std::uint8_t, 1024> storage{};
  const spa_pod* format = formatParameter(storage.data(), storage.size());
  pw_stream_connect(stream_, PW_DIRECTION_INPUT, node_, PW_STREAM_FLAG_AUTOCONNECT, &format, 1);
}

MonitorStream::~MonitorStream() {
  if (stream_ == nullptr) return;
  spa_hook_remove(&listener_->hook);
  pw_stream_destroy(stream_);
}

const spa_pod* MonitorStream::formatParameter(std::uint8_t* storage, std::uint32_t size) {
  spa_pod_builder builder{};
  spa_pod_builder_init(&builder, storage, size);
  spa_pod_frame object{};
  spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat);
  spa_pod_builder_prop(&builder, SPA_FORMAT_mediaType, 0);
  spa_pod_builder_id(&builder, SPA_MEDIA_TYPE_video);
  spa_pod_builder_prop(&builder, SPA_FORMAT_mediaSubtype, 0);
  spa_pod_builder_id(&builder, SPA_MEDIA_SUBTYPE_raw);

  spa_pod_frame choice{};
  spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_format, 0);
  spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Enum, 0);
  spa_pod_builder_id(&builder, kFormats.front().format);  // the preferred one
  for (const Format& format : kFormats) spa_pod_builder_id(&builder, format.format);
  spa_pod_builder_pop(&builder, &choice);

  spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_size, 0);
  spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Range, 0);
  spa_pod_builder_rectangle(&builder, 1920, 1080);
  spa_pod_builder_rectangle(&builder, 1, 1);
  spa_pod_builder_rectangle(&builder, 16384, 16384);
  spa_pod_builder_pop(&builder, &choice);

  // Frames as the screen changes (a variable rate), but never more than we can use.
  spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_framerate, 0);
  spa_pod_builder_fraction(&builder, 0, 1);
  spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_maxFramerate, 0);
  spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Range, 0);
  spa_pod_builder_fraction(&builder, kMostFramesPerSecond, 1);
  spa_pod_builder_fraction(&builder, 1, 1);
  spa_pod_builder_fraction(&builder, kMostFramesPerSecond, 1);
  spa_pod_builder_pop(&builder, &choice);
  return static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
}

void MonitorStream::formatChanged(const spa_pod* format) {
  spa_video_info_raw info{};
  if (spa_format_video_raw_parse(format, &info) < 0) return;
  width_ = static_cast<int>(info.size.width);
  height_ = static_cast<int>(info.size.height);
  for (const Format& known : kFormats) {
    if (known.format == info.format) order_ = known.order;
  }
  std::array<std::uint8_t, 1024> storage{};
  spa_pod_builder builder{};
  spa_pod_builder_init(&builder, storage.data(), storage.size());
  const std::array parameters = {sharedMemoryBuffers(builder),
                                 metaParameter(builder, SPA_META_Header, sizeof(spa_meta_header),
                                               sizeof(spa_meta_header), sizeof(spa_meta_header)),
                                 metaParameter(builder, SPA_META_Cursor, cursorMetaSize(64, 64),
                                               cursorMetaSize(1, 1), cursorMetaSize(1024, 1024))};
  std::array<const spa_pod*, parameters.size()> list = parameters;
  pw_stream_update_params(stream_, list.data(), static_cast<uint32_t>(list.size()));
}

void MonitorStream::takeBuffers() {
  pw_buffer* newest = nullptr;
  while (pw_buffer* buffer = pw_stream_dequeue_buffer(stream_)) {
    takeCursor(*buffer->buffer);
    if (!carriesPicture(*buffer)) {
      pw_stream_queue_buffer(stream_, buffer);
      continue;
    }
    if (newest != nullptr) pw_stream_queue_buffer(stream_, newest);
    newest = buffer;
  }
  if (newest != nullptr) {
    if (held_ != nullptr) pw_stream_queue_buffer(stream_, held_);
    held_ = newest;
  }
  if (changed_) changed_();
}

void MonitorStream::takeCursor(const spa_buffer& buffer) {
  const auto* cursor = static_cast<const spa_meta_cursor*>(
      spa_buffer_find_meta_data(&buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)));
  if (cursor == nullptr) return;
  // The compositor marks the metadata invalid while the pointer is on another monitor.
  if (spa_meta_cursor_is_valid(cursor)) {
    cursor_ = CursorPoint{cursor->position.x, cursor->position.y};
  } else {
    cursor_.reset();
  }
}

void MonitorStream::stateChanged(int state) {
  if (state != PW_STREAM_STATE_ERROR && state != PW_STREAM_STATE_UNCONNECTED) return;
  held_ = nullptr;
  if (ended_) ended_();
}

MonitorFrame MonitorStream::frame() const {
  if (held_ == nullptr) return {{0, 0, width_, height_}, nullptr, 0, order_};
  const spa_data& data = held_->buffer->datas[0];
  const std::byte* start = pixelsOf(*held_) + data.chunk->offset;
  const std::ptrdiff_t stride = data.chunk->stride > 0 ? data.chunk->stride : width_ * 4;
  return {{0, 0, width_, height_}, start, stride, order_};
}

}  // namespace wayland
