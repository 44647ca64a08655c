#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pagora::testing {

// Writes small PDF files for the parser's tests, keeping each object's offset so that the
// cross-reference sections it writes are exact.
class TestPdfBuilder {
 public:
  explicit TestPdfBuilder(std::string_view header = "%PDF-1.4\n");

  // Appends "n 0 obj" body "endobj" and records its offset.
  void Object(std::uint32_t number, std::string_view body);
  // Appends a stream object; `dictionary` entries go inside "<< >>" before its /Length.
  void Stream(std::uint32_t number, std::string_view dictionary, std::string_view data);
  // Appends raw text (damage, comments).
  void Raw(std::string_view text) { bytes_ += text; }

  // A classic table for `numbers` (consecutive numbers share a subsection; numbers never
  // written as objects are listed free), then "trailer"
  // with `trailer` entries, "startxref" and "%%EOF". Returns the table's offset.
  std::size_t ClassicXref(const std::vector<std::uint32_t>& numbers, std::string_view trailer);

  // A cross-reference stream object `number` (1 2 2 field widths, Flate with the PNG Up
  // predictor) for `numbers`; objects put in an object stream with ObjectStream are listed
  // as compressed. Ends with "startxref" and "%%EOF". Returns its offset.
  std::size_t XrefStream(std::uint32_t number, const std::vector<std::uint32_t>& numbers,
                         std::string_view trailer);

  // An object stream `number` holding the given objects (number, text), Flate-compressed.
  void ObjectStream(std::uint32_t number,
                    const std::vector<std::pair<std::uint32_t, std::string>>& objects);

  std::size_t OffsetOf(std::uint32_t number) const { return offsets_.at(number); }
  const std::string& bytes() const { return bytes_; }
  std::vector<std::uint8_t> data() const { return {bytes_.begin(), bytes_.end()}; }

 private:
  struct Compressed {
    std::uint32_t stream;
    std::uint32_t index;
  };
  std::string bytes_;
  std::map<std::uint32_t, std::size_t> offsets_;
  std::map<std::uint32_t, Compressed> compressed_;
};

// zlib's compress(), for streams the tests write.
std::string ZlibCompress(std::string_view data);

}  // namespace pagora::testing
