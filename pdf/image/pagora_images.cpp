// Picture placement: dispatch by extension, the document's table of raster pictures,
// sizing, and the image XObject every raster reader's picture becomes.
#include <string>

#include "pdf/core/ascii_case.h"
#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/file_input.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/color.h"
#include "pdf/graphics/drawing.h"
#include "pdf/image/image_objects.h"

namespace pagora {
namespace {

// The colour key of a BMP picture, 0xRRGGBB; none for an empty text or a pattern name.
std::optional<std::uint32_t> ColorKey(const std::string& color) {
  if (color.empty()) return std::nullopt;
  const NormalizedColor normalized = NormalizeColor(color);
  if (!normalized.IsSolid()) return std::nullopt;
  return static_cast<std::uint32_t>(std::stoul(normalized.color.substr(1), nullptr, 16));
}

}  // namespace

void Pagora::DrawImage(const std::string& file_name, float x, float y, float width, float height,
                       int frame, const std::string& transparent_color) try {
  Document& doc = *doc_;
  if (frame < INT16_MIN || frame > INT16_MAX) throw RuntimeError(kOverflow);
  const std::string upper_name = AsciiUpperCase(file_name);
  if (const VectorTranslator translate = FindVectorTranslator(upper_name)) {
    PlayVectorPicture(doc, translate, file_name, {x, y, width, height, doc.page.unit_factor});
    return;
  }

  const auto frame16 = static_cast<std::int16_t>(frame);
  int number = FindImage(doc.images, upper_name, frame16);
  if (number == 0) {
    number = AddImage(doc.images, upper_name, frame16, doc.memory_factor);
    if (const RasterReader reader = FindRasterReader(upper_name)) {
      ReadRasterEntry(doc, number, file_name, reader, transparent_color);
    }
  }

  doc.page.x = ToPoints(doc, x);
  doc.page.y = ToPoints(doc, y);
  const ImageEntry& entry = doc.images.entries[number];
  // A placement naming an XObject that was never written would make the file invalid.
  if (entry.pixel_width == 0) return;

  const float k = doc.page.unit_factor;
  const auto pixel_width = static_cast<float>(entry.pixel_width);
  const auto pixel_height = static_cast<float>(entry.pixel_height);
  if (width == 0 && height == 0) {
    if (k == 0) throw RuntimeError(kDivisionByZero);
    width = pixel_width / k;
    height = pixel_height / k;
  } else if (height == 0) {
    height = width * pixel_height / pixel_width;
  } else if (width == 0) {
    width = height * pixel_width / pixel_height;
  }
  SetPositionAndArea(doc, x, y, x, y, x + width, y + height);
  // Rows stored top first are flipped by the matrix: a negative height from the bottom edge.
  const bool flip = entry.top_row_first;
  AppendContent(doc, "q " + FormatLength(width, k) + " 0 0 " +
                         FormatLength(flip ? -height : height, k) + " " + FormatLength(x, k) + " " +
                         FormatLength(flip ? y + height : y, k) + " cm /_IMG_" +
                         std::to_string(number) + " Do Q");
} catch (...) {
  RethrowAsRuntimeError();
}

void ReadRasterEntry(Document& doc, int number, const std::string& file_name, RasterReader reader,
                     const std::string& transparent_color) {
  ImageEntry& entry = doc.images.entries[number];
  RasterReadResult result;
  try {
    const RasterRequest request{entry.frame, ColorKey(transparent_color)};
    result = reader(ReadWholeFile(file_name), request);
  } catch (const RuntimeError& e) {
    RecordError(doc, "DrawImage", entry.name, e);
    return;
  }
  if (const auto error = PictureStatusError(result.status)) {
    RecordError(doc, "DrawImage", entry.name, RuntimeError(*error));
    return;
  }
  const std::string name = "/_IMG_" + std::to_string(number);
  const int object = WriteImageObject(doc, result.image, name);
  entry.pixel_width = result.image.width;
  entry.pixel_height = result.image.height;
  entry.top_row_first = result.image.top_row_first;
  doc.resources.images += name + " " + std::to_string(object) + " 0 R ";
}

void PlayVectorPicture(Document& doc, VectorTranslator translate, const std::string& file_name,
                       const PicturePlacement& placement) {
  VectorPicture picture;
  try {
    picture = translate(ReadWholeFile(file_name), placement);
  } catch (const RuntimeError& e) {
    RecordError(doc, "DrawImage", AsciiUpperCase(file_name), e);
    return;
  }
  for (const std::string& line : picture.lines) AppendContent(doc, line);
  if (const auto error = VectorPictureError(picture.status)) {
    RecordError(doc, "DrawImage", AsciiUpperCase(file_name), RuntimeError(*error));
  }
}

int WriteImageObject(Document& doc, const RasterImage& image, std::string_view name) {
  const bool indexed = image.Indexed();
  const int object = doc.writer.Reserve();
  const int palette_object = indexed ? doc.writer.Reserve() : 0;
  StartObject(doc, object);
  WriteLine(doc, "<< /Type /XObject /Subtype /Image /Name " + std::string(name) + " /Width " +
                     std::to_string(image.width) + " /Height " + std::to_string(image.height));
  if (!image.mask.empty()) WriteLine(doc, "/Mask [" + image.mask + "]");
  if (indexed) {
    WriteLine(doc, "/BitsPerComponent " + std::to_string(image.bits) + " /ColorSpace [/Indexed /" +
                       image.color_space + " " + std::to_string((1 << image.bits) - 1) + " " +
                       std::to_string(palette_object) + " 0 R]");
  } else {
    WriteLine(doc, "/BitsPerComponent " + std::to_string(image.bits) + " /ColorSpace /" +
                       image.color_space);
  }
  if (!image.decode.empty()) WriteLine(doc, "/Decode [" + image.decode + "]");
  WriteStream(doc, image.pixels, 0, image.fixed_filter, 0);
  FinishObject(doc);
  if (indexed) {
    StartObject(doc, palette_object);
    WriteLine(doc, "<<");
    WriteStream(doc, image.palette, 0, "", 0);  // the fixed filter is the pixels' alone
    FinishObject(doc);
  }
  return object;
}

}  // namespace pagora
