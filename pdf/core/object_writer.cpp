#include "pdf/core/object_writer.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "pdf/core/runtime_error.h"
#include "pdf/core/table_growth.h"

namespace pagora {
namespace {

constexpr int kMaxVersionBump = 6;
// "0000000000 00000 n" CR LF: every cross-reference entry is exactly 20 bytes.
constexpr std::size_t kXrefEntrySize = 20;

void AppendDecimal(std::string& out, std::uint64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// Ten decimal digits with leading zeros, keeping the rightmost ten of a larger value.
void AppendOffsetField(char* field, std::uint64_t offset) {
  for (int i = 9; i >= 0; --i) {
    field[i] = static_cast<char>('0' + offset % 10);
    offset /= 10;
  }
}

}  // namespace

void PdfObjectWriter::Reset() noexcept {
  file_.Discard();
  highest_object_ = 0;
  current_object_ = 0;
  version_bump_ = 0;
  xref_offsets_.clear();
}

void PdfObjectWriter::Open(const std::string& path) {
  file_.Open(path);
}

void PdfObjectWriter::WriteLine(std::string_view text) {
  WriteBytes(text);
  WriteBytes("\n");
}

void PdfObjectWriter::WriteBytes(std::string_view bytes) {
  file_.Write(bytes);
}

void PdfObjectWriter::GrowTableTo(int number) {
  highest_object_ = std::max(highest_object_, number);
  GrowIndexedTable(xref_offsets_, highest_object_, memory_factor_);
}

int PdfObjectWriter::Reserve() {
  if (highest_object_ == INT_MAX) throw RuntimeError(kOverflow);
  const int number = highest_object_ + 1;
  GrowTableTo(number);
  return number;
}

int PdfObjectWriter::StartObject(int number) {
  if (!file_.IsOpen()) throw RuntimeError(kBadFileName);
  if (number < 0) throw RuntimeError(kInvalidCall);
  if (number == 0) number = Reserve();
  GrowTableTo(number);
  xref_offsets_[static_cast<std::size_t>(number)] = file_.Position();

  std::string line;
  AppendDecimal(line, static_cast<std::uint64_t>(number));
  line += " 0 obj";
  WriteLine(line);
  current_object_ = number;
  return number;
}

void PdfObjectWriter::RequireVersion(int bump) {
  version_bump_ = std::clamp(std::max(version_bump_, bump), 0, kMaxVersionBump);
}

void PdfObjectWriter::WriteXrefAndTrailer(int info_object, int root_object,
                                          const std::optional<TrailerEncryption>& encryption) {
  const std::uint64_t xref_position = file_.Position();
  const auto object_count = static_cast<std::uint64_t>(highest_object_) + 1;

  std::string text = "xref\n0 ";
  AppendDecimal(text, object_count);
  text += "\n0000000000 65535 f\r\n";
  const std::size_t table_start = text.size();
  text.resize(table_start + kXrefEntrySize * static_cast<std::size_t>(highest_object_));
  for (int n = 1; n <= highest_object_; ++n) {
    char* entry = text.data() + table_start + kXrefEntrySize * static_cast<std::size_t>(n - 1);
    const auto index = static_cast<std::size_t>(n);
    const std::uint64_t offset = index < xref_offsets_.size() ? xref_offsets_[index] : 0;
    AppendOffsetField(entry, offset);
    std::copy_n(offset != 0 ? " 00000 n\r\n" : " 65535 f\r\n", 10, entry + 10);
  }

  text += "trailer\n<< /Size ";
  AppendDecimal(text, object_count);
  text += " /Info ";
  AppendDecimal(text, static_cast<std::uint64_t>(info_object));
  text += " 0 R /Root ";
  AppendDecimal(text, static_cast<std::uint64_t>(root_object));
  text += " 0 R\n";
  if (encryption) {
    text += "/Encrypt ";
    AppendDecimal(text, static_cast<std::uint64_t>(encryption->dictionary_object));
    text += " 0 R /ID [<" + encryption->file_id_hex + "><" + encryption->file_id_hex + ">]\n";
  }
  text += ">>\nstartxref\n";
  AppendDecimal(text, xref_position);
  text += "\n%%EOF";
  WriteLine(text);
}

std::uint64_t PdfObjectWriter::FinishFile() {
  if (version_bump_ != 0) {
    // "%PDF-1.x" is rewritten in place, so the line keeps its nine bytes.
    std::string header = "%PDF-1.";
    header += static_cast<char>('3' + version_bump_);
    file_.OverwriteStart(header);
  }
  const std::uint64_t size = file_.Position();
  file_.Close();
  return size;
}

}  // namespace pagora
