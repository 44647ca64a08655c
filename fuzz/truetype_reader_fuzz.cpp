// The TrueType reader must stay inside its input, finish, and either refuse the file or
// hand back metrics that fit a font record and a descriptor.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "pdf/text/truetype_font_record.h"
#include "pdf/text/truetype_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// The first byte picks the encoding (odd: Mac Roman, even: WinAnsi); the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t encoding = data[0] & 1;
  const std::span<const std::uint8_t> file(data + 1, size - 1);
  const pagora::TrueTypeReadResult result = pagora::ReadTrueTypeFont(file, encoding);
  if (result.status != pagora::TrueTypeStatus::kOk) return 0;
  const pagora::TrueTypeFont& font = result.font;
  Require(!font.full_name.empty());
  Require(font.full_name.find(' ') == std::string::npos);
  Require(font.full_name.size() <= file.size());
  Require(font.descent <= 0 && font.ascent >= 0);
  Require(font.Height() <= 0x7FFF);
  Require(font.italic_angle >= -32768 && font.italic_angle <= 32768);
  Require(!pagora::BuildTrueTypeDescriptor(font).empty());
  return 0;
}
