// The GIF reader's glue: file to decoded picture to image XObject, failures recorded.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "pdf/core/pagora.h"
#include "pdf/image/gif_reader.h"

namespace pagora {
namespace {

// The whole file; RuntimeError 53 when it does not exist, 75 when it cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) throw RuntimeError(kFileNotFound);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RuntimeError(kPathFileAccess);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  if (in.bad()) throw RuntimeError(kPathFileAccess);
  return bytes;
}

// The run-time error a refused GIF reports; none for a file that is no GIF at all.
std::optional<ErrorNumber> GifFailureError(GifStatus status) {
  switch (status) {
    case GifStatus::kOk:
    case GifStatus::kNotGif:
      return std::nullopt;
    case GifStatus::kTruncated:
      return kInputPastEnd;
    case GifStatus::kTooLarge:
      return kOverflow;
    case GifStatus::kBadFormat:
    case GifStatus::kNoColorTable:
    case GifStatus::kFrameMissing:
      return kInvalidFormat;
  }
  return kInvalidFormat;
}

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

void Pagora::ReadGifEntry(int number, const std::string& file_name) {
  ImageEntry& entry = images_.entries[number];
  GifReadResult result;
  try {
    result = ReadGifImage(ReadWholeFile(file_name), entry.frame);
  } catch (const RuntimeError& e) {
    RecordError("DrawImage", entry.name, e);
    return;
  }
  if (const auto error = GifFailureError(result.status)) {
    RecordError("DrawImage", entry.name, RuntimeError(*error));
    return;
  }
  if (result.status != GifStatus::kOk) return;

  const GifPicture& picture = result.picture;
  const std::string name = "/_IMG_" + std::to_string(number);
  const std::string mask =
      picture.transparent_index ? IndexMaskText(*picture.transparent_index) : std::string();
  const int object =
      WriteImageObject("GIF", AsText(picture.pixels), AsText(picture.palette), picture.width,
                       picture.height, picture.bits, name, "", "", mask);
  entry.pixel_width = picture.width;
  entry.pixel_height = picture.height;
  resources_.images += name + " " + std::to_string(object) + " 0 R ";
}

}  // namespace pagora
