#include <algorithm>
#include <climits>
#include <utility>

#include "pdf/codec/deflate_encoder.h"
#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/core/stream_writer.h"

namespace pagora {

void Pagora::SetCompression(int flags, std::uint8_t level) try {
  doc_->streams.flags = static_cast<std::uint32_t>(flags);
  doc_->streams.level = std::min(level, kMaxCompressionLevel);
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::zzToFlateDecode(std::vector<std::uint8_t>& data, int& count, std::uint8_t level) try {
  if (data.size() > INT_MAX) throw RuntimeError(kOverflow);
  std::vector<std::uint8_t> stream = FlateEncode(data, std::min(level, kMaxCompressionLevel));
  if (stream.size() > INT_MAX) throw RuntimeError(kOverflow);
  data = std::move(stream);
  count = static_cast<int>(data.size());
} catch (...) {
  RethrowAsRuntimeError();
}

void WriteStream(Document& doc, std::span<const std::uint8_t> data, int object,
                 std::string_view preset_filters, int length1) {
  const int owner = object != 0 ? object : doc.writer.current_object();
  // Encryption keeps the length, so it comes after the filters and before /Length.
  if (!SelectsEncoder(doc.streams, preset_filters)) {
    // Written as it is: no copy, and when protected one pass from the data to the cipher.
    WriteStreamTail(doc.writer, preset_filters, length1, doc.security.EncryptedView(owner, data));
    return;
  }
  EncodedStream stream = EncodeStream(data, doc.streams, preset_filters);
  doc.security.EncryptInPlace(owner, stream.data);
  WriteStreamTail(doc.writer, stream.filters, length1, stream.data);
}

void Pagora::SetProtection(std::int32_t flags, const std::string& owner_password,
                           const std::string& user_password) try {
  doc_->security.Protect(flags, owner_password, user_password, doc_->info.producer);
  RequireVersion(*doc_, doc_->security.version_bump());
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
