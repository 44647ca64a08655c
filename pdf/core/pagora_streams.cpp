#include <algorithm>
#include <climits>
#include <utility>

#include "pdf/codec/deflate_encoder.h"
#include "pdf/core/pagora.h"
#include "pdf/core/stream_writer.h"

namespace pagora {

void Pagora::SetCompression(int flags, std::uint8_t level) {
  streams_.flags = static_cast<std::uint32_t>(flags);
  streams_.level = std::min(level, kMaxCompressionLevel);
}

void Pagora::zzToFlateDecode(std::vector<std::uint8_t>& data, int& count, std::uint8_t level) {
  if (data.size() > INT_MAX) throw RuntimeError(kOverflow);
  std::vector<std::uint8_t> stream = FlateEncode(data, std::min(level, kMaxCompressionLevel));
  if (stream.size() > INT_MAX) throw RuntimeError(kOverflow);
  data = std::move(stream);
  count = static_cast<int>(data.size());
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
