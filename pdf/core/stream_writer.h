#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/object_writer.h"
#include "pdf/core/stream_settings.h"

namespace pagora {

struct EncodedStream {
  std::vector<std::uint8_t> data;
  // The /Filter array's content: names each followed by a blank, in decoding order (the
  // last encoder applied first). Empty when the data is written as it is.
  std::string filters;
};

// Whether EncodeStream would apply any encoder to a stream with `preset_filters`; when
// not, the data is written as it is and needs no copy.
bool SelectsEncoder(const StreamSettings& settings, std::string_view preset_filters);

// Runs `data` through the encoders `settings` selects, in the fixed order RunLength,
// Deflate, LZW, ASCII base-85, hexadecimal. `preset_filters` names, each followed by a
// blank, filters the caller already applied (a JPEG image passes "/DCTDecode "); with a
// preset the compression encoders are skipped and only the ASCII ones apply. Never fails.
EncodedStream EncodeStream(std::span<const std::uint8_t> data, const StreamSettings& settings,
                           std::string_view preset_filters);

// Ends a stream object's dictionary and writes its data: the lines "/Filter [" `filters` "]"
// (when not empty) and "/Length1 " `length1` (when > 0), then "/Length " count " >>" CR
// "stream" LF, the data, LF "endstream" LF. Throws RuntimeError 6 when the data exceeds
// 2^31 - 1 bytes, or the writer's error when writing fails.
void WriteStreamTail(PdfObjectWriter& writer, std::string_view filters, int length1,
                     std::span<const std::uint8_t> data);
// The same with data that `transform` changes first; both are done on a second thread
// while the caller goes on (see OutputFile::WriteLater).
void WriteStreamTailLater(PdfObjectWriter& writer, std::string_view filters, int length1,
                          std::vector<std::uint8_t> data, ByteTransform transform);

}  // namespace pagora
