#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

enum class FilterStatus {
  kOk,           // the data decoded to its end-of-data mark or to its last byte
  kInvalidData,  // a byte or code the filter cannot contain
  kTruncated,    // the data ended inside a group, run or code sequence
  kTooLarge,     // the output would pass the caller's limit
};

struct FilterResult {
  FilterStatus status = FilterStatus::kOk;
  // Everything decoded, up to the failure when status is not kOk.
  std::vector<std::uint8_t> bytes;
};

// The decoders of the stream filters that read imported files. Each stops at its
// end-of-data mark (bytes after it are ignored) and accepts data that lacks the mark,
// since writers often omit it. None reads outside `data` or produces more than `max_output`
// bytes.

// /ASCIIHexDecode: pairs of hexadecimal digits (either case), white space ignored, ">"
// ends the data; an odd last digit counts as followed by 0.
FilterResult DecodeAsciiHex(std::span<const std::uint8_t> data, std::size_t max_output);

// /ASCII85Decode: groups of five characters "!" to "u" for four bytes, "z" for four zeros,
// white space ignored, "~>" ends the data; a final group of n characters gives n - 1 bytes.
// A leading "<~" is skipped.
FilterResult DecodeAscii85(std::span<const std::uint8_t> data, std::size_t max_output);

// /RunLengthDecode: a length byte 0-127 copies the next length + 1 bytes, 129-255 repeats
// the next byte 257 - length times, 128 ends the data.
FilterResult DecodeRunLength(std::span<const std::uint8_t> data, std::size_t max_output);

// /LZWDecode: codes of 9 to 12 bits, most significant bit first; 256 clears the table,
// 257 ends the data. With `early_change` (the default /EarlyChange 1) the code width grows
// one code earlier than the table needs it.
FilterResult DecodeLzw(std::span<const std::uint8_t> data, bool early_change,
                       std::size_t max_output);

// The /DecodeParms of /FlateDecode and /LZWDecode that undo a predictor.
struct PredictorParams {
  int predictor = 1;  // 1: none; 2: TIFF; 10-15: PNG, one filter-type byte per row
  int colors = 1;
  int bits_per_component = 8;
  int columns = 1;
};

// Undoes the predictor on decoded data. PNG rows may each use any of the five PNG filters;
// TIFF prediction is supported for 8 and 16 bits per component. A short last row is decoded
// as far as it goes. kInvalidData for parameters out of range (colors 1-32, bits 1, 2, 4,
// 8 or 16, columns from 1) or an unknown PNG filter type.
FilterResult UndoPredictor(std::span<const std::uint8_t> data, const PredictorParams& params);

}  // namespace pagora
