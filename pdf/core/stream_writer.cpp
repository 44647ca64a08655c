#include "pdf/core/stream_writer.h"

#include <climits>
#include <utility>

#include "pdf/codec/ascii85.h"
#include "pdf/codec/ascii_hex.h"
#include "pdf/codec/deflate_encoder.h"
#include "pdf/codec/lzw_encoder.h"
#include "pdf/codec/run_length.h"
#include "pdf/core/runtime_error.h"

namespace pagora {

namespace {

constexpr std::uint32_t kAsciiFilters = kAscii85Filter | kAsciiHexFilter;
constexpr std::uint32_t kAllFilters =
    kRunLengthFilter | kFlateFilter | kLzwFilter | kAscii85Filter | kAsciiHexFilter;

}  // namespace

bool SelectsEncoder(const StreamSettings& settings, std::string_view preset_filters) {
  return (settings.flags & (preset_filters.empty() ? kAllFilters : kAsciiFilters)) != 0;
}

EncodedStream EncodeStream(std::span<const std::uint8_t> data, const StreamSettings& settings,
                           std::string_view preset_filters) {
  EncodedStream stream{{}, std::string(preset_filters)};
  // The first encoder reads the caller's data; each later one the output of the one before.
  std::span<const std::uint8_t> current = data;
  bool encoded = false;
  // Each filter goes in front of the ones before it, so that a reader decodes the last
  // encoding first.
  auto apply = [&](std::uint32_t bit, std::string_view name, auto&& encode) {
    if ((settings.flags & bit) == 0) return;
    stream.data = encode(current);
    current = stream.data;
    encoded = true;
    stream.filters.insert(0, name);
  };
  if (preset_filters.empty()) {
    apply(kRunLengthFilter, "/RunLengthDecode ", EncodeRunLength);
    apply(kFlateFilter, "/FlateDecode ", [&settings](std::span<const std::uint8_t> in) {
      // The encoder counts positions in 32 bits; a stream this long could not be written.
      if (in.size() > INT_MAX) throw RuntimeError(kOverflow);
      return FlateEncode(in, settings.level);
    });
    apply(kLzwFilter, "/LZWDecode ",
          [&settings](std::span<const std::uint8_t> in) { return EncodeLzw(in, settings.level); });
  }
  apply(kAscii85Filter, "/ASCII85Decode ", EncodeAscii85);
  apply(kAsciiHexFilter, "/ASCIIHexDecode ", EncodeAsciiHex);
  if (!encoded) stream.data.assign(data.begin(), data.end());
  return stream;
}

namespace {

void WriteStreamHead(PdfObjectWriter& writer, std::string_view filters, int length1,
                     std::size_t size) {
  if (size > INT_MAX) throw RuntimeError(kOverflow);
  if (!filters.empty()) writer.WriteLine("/Filter [" + std::string(filters) + "]");
  if (length1 > 0) writer.WriteLine("/Length1 " + std::to_string(length1));
  writer.WriteBytes("/Length " + std::to_string(size) + " >>\rstream\n");
}

}  // namespace

void WriteStreamTail(PdfObjectWriter& writer, std::string_view filters, int length1,
                     std::span<const std::uint8_t> data) {
  WriteStreamHead(writer, filters, length1, data.size());
  writer.WriteBytes(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
  writer.WriteLine("\nendstream");
}

void WriteStreamTailLater(PdfObjectWriter& writer, std::string_view filters, int length1,
                          std::vector<std::uint8_t> data, ByteTransform transform) {
  WriteStreamHead(writer, filters, length1, data.size());
  writer.WriteBytesLater(std::move(data), std::move(transform));
  writer.WriteLine("\nendstream");
}

}  // namespace pagora
