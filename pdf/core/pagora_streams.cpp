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
  // Encryption keeps the length, so it comes after the filters and before /Length.
  security_.EncryptInPlace(object != 0 ? object : writer_.current_object(), stream.data);
  WriteStreamTail(writer_, stream.filters, length1, stream.data);
}

void Pagora::SetProtection(std::int32_t flags, const std::string& owner_password,
                           const std::string& user_password) {
  security_.Protect(flags, owner_password, user_password, info_.producer);
  RequireVersion(security_.version_bump());
}

}  // namespace pagora
