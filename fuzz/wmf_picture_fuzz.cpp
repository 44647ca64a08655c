// The WMF translator must finish, stay inside its input, keep "q" and "Q" paired, and
// write the picture's transform before anything it draws.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "pdf/image/wmf_picture.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsDrawing(const std::string& line) {
  return line != "q" && line != "Q" && !line.ends_with(" cm");
}

}  // namespace

// The first byte picks the requested size; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const float width = static_cast<float>(data[0] % 4) * 50;
  const float height = static_cast<float>(data[0] / 4 % 4) * 50;
  const pagora::PicturePlacement placement{10, 20, width, height, 2.5f};
  const pagora::VectorPicture picture =
      pagora::TranslateWmfPicture(std::span<const std::uint8_t>(data + 1, size - 1), placement);
  const auto& lines = picture.lines;
  if (lines.empty()) {
    Require(picture.status != pagora::VectorPictureStatus::kOk);
    return 0;
  }
  Require(lines.front() == "q" && lines.back() == "Q");
  bool transformed = false;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    Require(lines[i] != "q" && lines[i] != "Q" && !lines[i].empty());
    if (lines[i].ends_with(" cm")) transformed = true;
    if (IsDrawing(lines[i])) Require(transformed);
  }
  return 0;
}
