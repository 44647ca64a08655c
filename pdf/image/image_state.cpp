#include "pdf/image/image_state.h"

#include "pdf/core/runtime_error.h"
#include "pdf/core/table_growth.h"

namespace pagora {

namespace {
constexpr std::int32_t kMaxImages = 32767;
}  // namespace

int FindImage(const ImageState& images, std::string_view upper_name, std::int16_t frame) {
  for (int n = 1; n <= images.count; ++n) {
    const ImageEntry& entry = images.entries[n];
    if (entry.frame == frame && entry.name == upper_name) return n;
  }
  return 0;
}

int AddImage(ImageState& images, std::string upper_name, std::int16_t frame,
             std::uint8_t memory_factor) {
  if (images.count >= kMaxImages) throw RuntimeError(kOverflow);
  const int n = ++images.count;
  GrowIndexedTable(images.entries, n, memory_factor);
  images.entries[n] = {std::move(upper_name), 0, 0, frame, false};
  return n;
}

}  // namespace pagora
