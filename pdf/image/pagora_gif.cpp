// The GIF reader's glue: file to decoded picture to image XObject, failures recorded.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "pdf/core/document.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"
#include "pdf/image/gif_reader.h"
#include "pdf/image/image_objects.h"

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

void ReadGifEntry(Document& doc, int number, const std::string& file_name) {
  ImageEntry& entry = doc.images.entries[number];
  GifReadResult result;
  try {
    result = ReadGifImage(ReadWholeFile(file_name), entry.frame);
  } catch (const RuntimeError& e) {
    RecordError(doc, "DrawImage", entry.name, e);
    return;
  }
  if (const auto error = GifFailureError(result.status)) {
    RecordError(doc, "DrawImage", entry.name, RuntimeError(*error));
    return;
  }
  if (result.status != GifStatus::kOk) return;

  const GifPicture& picture = result.picture;
  const std::string name = "/_IMG_" + std::to_string(number);
  const std::string mask =
      picture.transparent_index ? IndexMaskText(*picture.transparent_index) : std::string();
  const int object =
      WriteImageObject(doc, "GIF", AsText(picture.pixels), AsText(picture.palette), picture.width,
                       picture.height, picture.bits, name, "", "", mask);
  entry.pixel_width = picture.width;
  entry.pixel_height = picture.height;
  doc.resources.images += name + " " + std::to_string(object) + " 0 R ";
}

}  // namespace pagora
