#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Builds GIF files byte by byte for tests: exact control over every block, including the
// damaged ones no encoder writes.
namespace pagora::testing {

// Packs codes least significant bit first, as GIF LZW data is laid out.
class CodeWriter {
 public:
  void Put(std::uint32_t code, int width);
  std::vector<std::uint8_t> Finish();

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint32_t pending_ = 0;
  int pending_bits_ = 0;
};

// Tracks the code width a decoder uses, for writing valid streams code by code.
class LzwCodeStream {
 public:
  explicit LzwCodeStream(int min_code_size);
  std::uint32_t clear_code() const { return 1u << min_code_size_; }
  std::uint32_t next_free() const { return next_free_; }
  // Writes a code at the current width and advances the dictionary as a decoder would.
  void Put(std::uint32_t code);
  void Clear();
  std::vector<std::uint8_t> FinishWithEnd();

 private:
  int min_code_size_;
  int width_;
  std::uint32_t next_free_;
  bool first_after_clear_ = true;
  CodeWriter writer_;
};

// A valid LZW stream of one literal code per pixel: clear, literals, end.
std::vector<std::uint8_t> LiteralLzw(std::span<const std::uint8_t> pixels, int min_code_size);

// The colours of the tables the builder writes: entry i of a global table, of a local one.
std::uint8_t GlobalColor(int entry, int channel);
std::uint8_t LocalColor(int entry, int channel);

class GifBuilder {
 public:
  GifBuilder(int width, int height, int global_table_bits, std::uint8_t background = 0,
             std::string_view signature = "GIF89a");
  // An extension block with one sub-block of `payload` (none when empty).
  GifBuilder& Extension(std::uint8_t label, std::span<const std::uint8_t> payload);
  // An image descriptor and its data. `local_table_bits` 0: no local table.
  GifBuilder& Image(int left, int top, int width, int height, std::span<const std::uint8_t> lzw,
                    int min_code_size, int local_table_bits = 0, bool interlaced = false);
  // The same, with the pixels written as literal codes.
  GifBuilder& LiteralImage(int left, int top, int width, int height,
                           std::span<const std::uint8_t> pixels, int min_code_size,
                           int local_table_bits = 0, bool interlaced = false);
  GifBuilder& Raw(std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> Finish(bool trailer = true);

 private:
  void Word(int value);
  void Table(int bits, bool local);
  std::vector<std::uint8_t> bytes_;
};

}  // namespace pagora::testing
