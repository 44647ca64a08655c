#include "tests/import/test_pdf_builder.h"

#include <zlib.h>

namespace pagora::testing {

TestPdfBuilder::TestPdfBuilder(std::string_view header) : bytes_(header) {}

void TestPdfBuilder::Object(std::uint32_t number, std::string_view body) {
  offsets_[number] = bytes_.size();
  bytes_ += std::to_string(number) + " 0 obj\n";
  bytes_ += body;
  bytes_ += "\nendobj\n";
}

void TestPdfBuilder::Stream(std::uint32_t number, std::string_view dictionary,
                            std::string_view data) {
  offsets_[number] = bytes_.size();
  bytes_ += std::to_string(number) + " 0 obj\n<< ";
  bytes_ += dictionary;
  bytes_ += " /Length " + std::to_string(data.size()) + " >>\nstream\n";
  bytes_ += data;
  bytes_ += "\nendstream\nendobj\n";
}

std::size_t TestPdfBuilder::ClassicXref(const std::vector<std::uint32_t>& numbers,
                                        std::string_view trailer) {
  const std::size_t start = bytes_.size();
  bytes_ += "xref\n";
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t run = 1;
    while (i + run < numbers.size() && numbers[i + run] == numbers[i] + run) ++run;
    bytes_ += std::to_string(numbers[i]) + " " + std::to_string(run) + "\n";
    for (std::size_t k = i; k < i + run; ++k) {
      char entry[21];
      if (offsets_.count(numbers[k]) == 0) {
        std::snprintf(entry, sizeof entry, "%010d %05d f\r\n", 0, 65535);
      } else {
        std::snprintf(entry, sizeof entry, "%010zu %05d n\r\n", offsets_.at(numbers[k]), 0);
      }
      bytes_ += entry;
    }
    i += run;
  }
  bytes_ += "trailer\n<< ";
  bytes_ += trailer;
  bytes_ += " >>\nstartxref\n" + std::to_string(start) + "\n%%EOF\n";
  return start;
}

std::size_t TestPdfBuilder::XrefStream(std::uint32_t number,
                                       const std::vector<std::uint32_t>& numbers,
                                       std::string_view trailer) {
  const std::size_t start = bytes_.size();
  offsets_[number] = start;
  // Rows of 5 bytes (type, 2-byte field, 2-byte field), each after a PNG "Up" filter byte.
  std::string rows;
  std::string previous(5, '\0');
  std::string index;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t run = 1;
    while (i + run < numbers.size() && numbers[i + run] == numbers[i] + run) ++run;
    index += std::to_string(numbers[i]) + " " + std::to_string(run) + " ";
    for (std::size_t k = i; k < i + run; ++k) {
      std::string row(5, '\0');
      const std::uint32_t n = numbers[k];
      const auto packed = compressed_.find(n);
      std::uint32_t second = 0, third = 0;
      if (packed != compressed_.end()) {
        row[0] = 2;
        second = packed->second.stream;
        third = packed->second.index;
      } else if (n != 0) {
        row[0] = 1;
        second = static_cast<std::uint32_t>(offsets_.at(n));
      }
      row[1] = static_cast<char>(second >> 8);
      row[2] = static_cast<char>(second);
      row[3] = static_cast<char>(third >> 8);
      row[4] = static_cast<char>(third);
      rows += '\2';
      for (int b = 0; b < 5; ++b) rows += static_cast<char>(row[b] - previous[b]);
      previous = row;
    }
    i += run;
  }
  const std::string data = ZlibCompress(rows);
  bytes_ += std::to_string(number) + " 0 obj\n<< /Type /XRef /W [1 2 2] /Index [" + index +
            "] /Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 5 >> ";
  bytes_ += trailer;
  bytes_ += " /Length " + std::to_string(data.size()) + " >>\nstream\r\n" + data +
            "\r\nendstream\nendobj\n";
  bytes_ += "startxref\n" + std::to_string(start) + "\n%%EOF\n";
  return start;
}

void TestPdfBuilder::ObjectStream(
    std::uint32_t number, const std::vector<std::pair<std::uint32_t, std::string>>& objects) {
  std::string pairs, bodies;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    pairs += std::to_string(objects[i].first) + " " + std::to_string(bodies.size()) + " ";
    bodies += objects[i].second + "\n";
    compressed_[objects[i].first] = {number, static_cast<std::uint32_t>(i)};
  }
  Stream(number,
         "/Type /ObjStm /N " + std::to_string(objects.size()) + " /First " +
             std::to_string(pairs.size()) + " /Filter /FlateDecode",
         ZlibCompress(pairs + bodies));
}

std::string ZlibCompress(std::string_view data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
           static_cast<uLong>(data.size()));
  out.resize(size);
  return out;
}

}  // namespace pagora::testing
