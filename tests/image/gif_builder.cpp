#include "tests/image/gif_builder.h"

#include <algorithm>

namespace pagora::testing {

void CodeWriter::Put(std::uint32_t code, int width) {
  pending_ |= code << pending_bits_;
  pending_bits_ += width;
  while (pending_bits_ >= 8) {
    bytes_.push_back(static_cast<std::uint8_t>(pending_));
    pending_ >>= 8;
    pending_bits_ -= 8;
  }
}

std::vector<std::uint8_t> CodeWriter::Finish() {
  if (pending_bits_ > 0) bytes_.push_back(static_cast<std::uint8_t>(pending_));
  pending_ = 0;
  pending_bits_ = 0;
  return std::move(bytes_);
}

LzwCodeStream::LzwCodeStream(int min_code_size)
    : min_code_size_(min_code_size), width_(min_code_size + 1), next_free_(clear_code() + 2) {}

void LzwCodeStream::Put(std::uint32_t code) {
  writer_.Put(code, width_);
  if (first_after_clear_) {
    first_after_clear_ = false;
    return;
  }
  if (next_free_ < 4096) {
    ++next_free_;
    if (next_free_ == (1u << width_) && width_ < 12) ++width_;
  }
}

void LzwCodeStream::Clear() {
  writer_.Put(clear_code(), width_);
  width_ = min_code_size_ + 1;
  next_free_ = clear_code() + 2;
  first_after_clear_ = true;
}

std::vector<std::uint8_t> LzwCodeStream::FinishWithEnd() {
  writer_.Put(clear_code() + 1, width_);
  return writer_.Finish();
}

std::vector<std::uint8_t> LiteralLzw(std::span<const std::uint8_t> pixels, int min_code_size) {
  LzwCodeStream stream(min_code_size);
  stream.Clear();
  for (const std::uint8_t pixel : pixels) {
    // Restart before the dictionary fills, so every code stays a plain literal.
    if (stream.next_free() >= 4000) stream.Clear();
    stream.Put(pixel);
  }
  return stream.FinishWithEnd();
}

std::uint8_t GlobalColor(int entry, int channel) {
  static constexpr int kFactor[] = {1, 3, 7};
  return static_cast<std::uint8_t>(entry * kFactor[channel] + 10 * channel + 1);
}

std::uint8_t LocalColor(int entry, int channel) {
  return static_cast<std::uint8_t>(255 - GlobalColor(entry, channel));
}

GifBuilder::GifBuilder(int width, int height, int global_table_bits, std::uint8_t background,
                       std::string_view signature) {
  bytes_.assign(signature.begin(), signature.end());
  Word(width);
  Word(height);
  const int packed = global_table_bits > 0 ? 0xF0 | (global_table_bits - 1) : 0x70;
  bytes_.push_back(static_cast<std::uint8_t>(packed));
  bytes_.push_back(background);
  bytes_.push_back(0);
  if (global_table_bits > 0) Table(global_table_bits, false);
}

GifBuilder& GifBuilder::Extension(std::uint8_t label, std::span<const std::uint8_t> payload) {
  bytes_.push_back(0x21);
  bytes_.push_back(label);
  if (!payload.empty()) {
    bytes_.push_back(static_cast<std::uint8_t>(payload.size()));
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Image(int left, int top, int width, int height,
                              std::span<const std::uint8_t> lzw, int min_code_size,
                              int local_table_bits, bool interlaced) {
  bytes_.push_back(0x2C);
  Word(left);
  Word(top);
  Word(width);
  Word(height);
  int packed = interlaced ? 0x40 : 0;
  if (local_table_bits > 0) packed |= 0x80 | (local_table_bits - 1);
  bytes_.push_back(static_cast<std::uint8_t>(packed));
  if (local_table_bits > 0) Table(local_table_bits, true);
  bytes_.push_back(static_cast<std::uint8_t>(min_code_size));
  // Sub-blocks of varying sizes, so that codes straddle block boundaries.
  std::size_t done = 0;
  for (std::size_t size = 1; done < lzw.size(); size = (size + 37) % 255 + 1) {
    const std::size_t chunk = std::min(size, lzw.size() - done);
    bytes_.push_back(static_cast<std::uint8_t>(chunk));
    bytes_.insert(bytes_.end(), lzw.begin() + done, lzw.begin() + done + chunk);
    done += chunk;
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::LiteralImage(int left, int top, int width, int height,
                                     std::span<const std::uint8_t> pixels, int min_code_size,
                                     int local_table_bits, bool interlaced) {
  return Image(left, top, width, height, LiteralLzw(pixels, min_code_size), min_code_size,
               local_table_bits, interlaced);
}

GifBuilder& GifBuilder::Raw(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

std::vector<std::uint8_t> GifBuilder::Finish(bool trailer) {
  if (trailer) bytes_.push_back(0x3B);
  return bytes_;
}

void GifBuilder::Word(int value) {
  bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void GifBuilder::Table(int bits, bool local) {
  for (int entry = 0; entry < (1 << bits); ++entry) {
    for (int channel = 0; channel < 3; ++channel) {
      bytes_.push_back(local ? LocalColor(entry, channel) : GlobalColor(entry, channel));
    }
  }
}

}  // namespace pagora::testing
