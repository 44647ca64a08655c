#include <algorithm>
#include <utility>

#include "pdf/core/pagora.h"
#include "pdf/core/stream_writer.h"

namespace pagora {

void Pagora::SetCompression(int flags, std::uint8_t level) {
  streams_.flags = static_cast<std::uint32_t>(flags);
  streams_.level = std::min(level, kMaxCompressionLevel);
}

void Pagora::WriteStream(std::span<const std::uint8_t> data, int object,
                         std::string_view preset_filters, int length1) {
  EncodedStream stream = EncodeStream(data, streams_, preset_filters);
  const std::vector<std::uint8_t> bytes =
      EncryptStream(std::move(stream.data), object != 0 ? object : writer_.current_object());
  WriteStreamTail(writer_, stream.filters, length1, bytes);
}

std::vector<std::uint8_t> Pagora::EncryptStream(std::vector<std::uint8_t> data,
                                                [[maybe_unused]] int object) const {
  return data;
}

}  // namespace pagora
