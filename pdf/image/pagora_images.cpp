// Picture placement: dispatch by extension, the document's table of raster pictures,
// sizing, and the image XObject format every raster reader writes.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/drawing.h"
#include "pdf/image/image_objects.h"

namespace pagora {
namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

void Pagora::DrawImage(const std::string& file_name, float x, float y, float width, float height,
                       int frame, [[maybe_unused]] const std::string& transparent_color) {
  if (frame < INT16_MIN || frame > INT16_MAX) throw RuntimeError(kOverflow);
  const std::string upper_name = UpperCase(file_name);
  const auto frame16 = static_cast<std::int16_t>(frame);
  int number = FindImage(doc_->images, upper_name, frame16);
  if (number == 0) {
    number = AddImage(doc_->images, upper_name, frame16, doc_->memory_factor);
    // Other raster formats and vector pictures get their readers later; until then their
    // entries stay without a picture, like a file of an unknown kind.
    if (EndsWith(upper_name, ".GIF")) ReadGifEntry(*doc_, number, file_name);
  }

  doc_->page.x = ToPoints(*doc_, x);
  doc_->page.y = ToPoints(*doc_, y);
  const ImageEntry& entry = doc_->images.entries[number];
  // A placement naming an XObject that was never written would make the file invalid.
  if (entry.pixel_width == 0) return;

  const float k = doc_->page.unit_factor;
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
  SetPositionAndArea(*doc_, x, y, x, y, x + width, y + height);
  AppendContent(*doc_, "q " + FormatLength(width, k) + " 0 0 " + FormatLength(height, k) + " " +
                           FormatLength(x, k) + " " + FormatLength(y, k) + " cm /_IMG_" +
                           std::to_string(number) + " Do Q");
}

int WriteImageObject(Document& doc, std::string_view format, std::string_view pixels,
                     std::string_view palette, int width, int height, int bits,
                     std::string_view name, std::string_view color_space,
                     std::string_view fixed_filter, std::string_view mask) {
  const bool direct = format == "TGA" || format == "JPG" || bits == 24;
  const std::string space = format == "JPG" ? std::string(color_space) : "DeviceRGB";
  const bool indexed = !direct && bits <= 8;
  const int object = doc.writer.Reserve();
  const int palette_object = indexed ? doc.writer.Reserve() : 0;
  StartObject(doc, object);
  WriteLine(doc, "<< /Type /XObject /Subtype /Image /Name " + std::string(name) + " /Width " +
                     std::to_string(width) + " /Height " + std::to_string(height));
  if (!mask.empty()) WriteLine(doc, "/Mask [" + std::string(mask) + "]");
  if (indexed) {
    WriteLine(doc, "/BitsPerComponent " + std::to_string(bits) + " /ColorSpace [/Indexed /" +
                       space + " " + std::to_string((1 << bits) - 1) + " " +
                       std::to_string(palette_object) + " 0 R]");
  } else {
    WriteLine(doc, "/BitsPerComponent 8 /ColorSpace /" + space);
  }
  WriteStream(doc, pixels, 0, fixed_filter, 0);
  FinishObject(doc);
  if (indexed) {
    StartObject(doc, palette_object);
    WriteLine(doc, "<<");
    WriteStream(doc, palette, 0, fixed_filter, 0);
    FinishObject(doc);
  }
  return object;
}

}  // namespace pagora
