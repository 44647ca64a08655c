#include "pdf/image/picture_readers.h"

#include "pdf/image/bmp_reader.h"
#include "pdf/image/eps_picture.h"
#include "pdf/image/gif_reader.h"
#include "pdf/image/jpeg_reader.h"
#include "pdf/image/raster_bytes.h"
#include "pdf/image/tga_reader.h"
#include "pdf/image/wmf_picture.h"

namespace pagora {
namespace {

PictureStatus FromGifStatus(GifStatus status) {
  switch (status) {
    case GifStatus::kOk:
      return PictureStatus::kOk;
    case GifStatus::kNotGif:
      return PictureStatus::kNotThisFormat;
    case GifStatus::kTruncated:
      return PictureStatus::kTruncated;
    case GifStatus::kTooLarge:
      return PictureStatus::kTooLarge;
    case GifStatus::kBadFormat:
    case GifStatus::kNoColorTable:
    case GifStatus::kFrameMissing:
      return PictureStatus::kBadFormat;
  }
  return PictureStatus::kBadFormat;
}

RasterReadResult ReadGif(std::span<const std::uint8_t> file, const RasterRequest& request) {
  GifReadResult gif = ReadGifImage(file, request.frame);
  RasterReadResult result;
  result.status = FromGifStatus(gif.status);
  if (result.status != PictureStatus::kOk) return result;
  RasterImage& image = result.image;
  image.width = gif.picture.width;
  image.height = gif.picture.height;
  image.bits = gif.picture.bits;
  image.pixels = std::move(gif.picture.pixels);
  image.palette = std::move(gif.picture.palette);
  if (gif.picture.transparent_index) image.mask = IndexMask(*gif.picture.transparent_index);
  return result;
}

RasterReadResult ReadBmp(std::span<const std::uint8_t> file, const RasterRequest& request) {
  return ReadBmpImage(file, request.transparent_rgb);
}

RasterReadResult ReadTga(std::span<const std::uint8_t> file, const RasterRequest&) {
  return ReadTgaImage(file);
}

RasterReadResult ReadJpeg(std::span<const std::uint8_t> file, const RasterRequest&) {
  return ReadJpegImage(file);
}

VectorPicture TranslateEps(std::span<const std::uint8_t> file, const PicturePlacement& placement) {
  return TranslateEpsPicture(file, placement);
}

VectorPicture TranslateWmf(std::span<const std::uint8_t> file, const PicturePlacement& placement) {
  return TranslateWmfPicture(file, placement);
}

constexpr struct {
  std::string_view extension;
  RasterReader read;
} kRasterReaders[] = {
    {".GIF", ReadGif},  {".BMP", ReadBmp},   {".TGA", ReadTga},
    {".JPG", ReadJpeg}, {".JPEG", ReadJpeg}, {".JPE", ReadJpeg},
};

constexpr struct {
  std::string_view extension;
  VectorTranslator translate;
} kVectorTranslators[] = {
    {".EPS", TranslateEps},
    {".AI", TranslateEps},
    {".WMF", TranslateWmf},
};

}  // namespace

RasterReader FindRasterReader(std::string_view upper_name) {
  for (const auto& reader : kRasterReaders) {
    if (upper_name.ends_with(reader.extension)) return reader.read;
  }
  return nullptr;
}

VectorTranslator FindVectorTranslator(std::string_view upper_name) {
  for (const auto& translator : kVectorTranslators) {
    if (upper_name.ends_with(translator.extension)) return translator.translate;
  }
  return nullptr;
}

std::optional<ErrorNumber> PictureStatusError(PictureStatus status) {
  switch (status) {
    case PictureStatus::kOk:
      return std::nullopt;
    case PictureStatus::kTruncated:
      return kInputPastEnd;
    case PictureStatus::kTooLarge:
      return kOverflow;
    case PictureStatus::kNotThisFormat:
    case PictureStatus::kBadFormat:
      return kInvalidFormat;
  }
  return kInvalidFormat;
}

}  // namespace pagora
