// The EPS translator must finish, stay inside its input, keep "q" and "Q" paired, and
// pass nothing to the page that could open a string, dictionary or procedure there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "pdf/image/eps_picture.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// The first byte picks the requested size; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const float width = static_cast<float>(data[0] % 4) * 50;
  const float height = static_cast<float>(data[0] / 4 % 4) * 50;
  const pagora::PicturePlacement placement{10, 20, width, height, 2.5f};
  const pagora::VectorPicture picture =
      pagora::TranslateEpsPicture(std::span<const std::uint8_t>(data + 1, size - 1), placement);
  Require(picture.status == pagora::VectorPictureStatus::kOk || picture.lines.empty());
  int depth = 0;
  for (const std::string& line : picture.lines) {
    Require(!line.empty());
    Require(line.find_first_of("\r\n()<>{}%/") == std::string::npos);
    if (line == "q") ++depth;
    if (line == "Q") Require(--depth >= 0);
  }
  Require(depth == 0);
  return 0;
}
