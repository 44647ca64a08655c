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

namespace {

// Protected streams this long are encrypted and written on a second thread while the
// document goes on; for shorter ones the hand-over would cost more than the cipher.
constexpr std::size_t kDeferredEncryptionBytes = 4096;

}  // namespace

void WriteStream(Document& doc, std::span<const std::uint8_t> data, int object,
                 std::string_view preset_filters, int length1) {
  const int owner = object != 0 ? object : doc.writer.current_object();
  const bool encoded = SelectsEncoder(doc.streams, preset_filters);
  EncodedStream stream;
  std::span<const std::uint8_t> bytes = data;
  std::string_view filters = preset_filters;
  if (encoded) {
    stream = EncodeStream(data, doc.streams, preset_filters);
    bytes = stream.data;
    filters = stream.filters;
  }
  // Encryption keeps the length, so it comes after the filters and before /Length.
  if (doc.security.on() && bytes.size() >= kDeferredEncryptionBytes) {
    // The second thread needs bytes of its own: the encoded ones, or a copy of the data.
    std::vector<std::uint8_t> owned =
        encoded ? std::move(stream.data) : std::vector<std::uint8_t>(data.begin(), data.end());
    WriteStreamTailLater(doc.writer, filters, length1, std::move(owned),
                         doc.security.Encryption(owner));
    return;
  }
  // When protected, one pass from the bytes through the cipher into a reused buffer.
  WriteStreamTail(doc.writer, filters, length1, doc.security.EncryptedView(owner, bytes));
}

void Pagora::SetProtection(std::int32_t flags, const std::string& owner_password,
                           const std::string& user_password) try {
  doc_->security.Protect(flags, owner_password, user_password, doc_->info.producer);
  RequireVersion(*doc_, doc_->security.version_bump());
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
