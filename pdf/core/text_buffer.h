#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pagora {

// A growable byte accumulator for content streams and other large texts. Appending is
// amortised constant time: the storage at least doubles whenever it grows, so building a
// page of many thousand operator lines stays linear.
class TextBuffer {
 public:
  // Empties the buffer; its storage is kept for the next content stream.
  void Reset() { text_.clear(); }
  void Append(std::string_view bytes) { text_.append(bytes); }
  void AppendByte(std::uint8_t byte) { text_.push_back(static_cast<char>(byte)); }
  // What was appended since the last reset.
  std::string_view Text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

 private:
  std::string text_;
};

}  // namespace pagora
