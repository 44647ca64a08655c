#include "pdf/image/jpeg_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/image/gif_test_util.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A marker segment: FF, the code, the big-endian length, the payload.
Bytes Segment(std::uint8_t code, const Bytes& payload) {
  const std::size_t length = payload.size() + 2;
  Bytes segment = {0xFF, code, static_cast<std::uint8_t>(length >> 8),
                   static_cast<std::uint8_t>(length)};
  segment.insert(segment.end(), payload.begin(), payload.end());
  return segment;
}

// A frame header of 300 × 200 pixels (precision, height, width, components, then 3 bytes
// per component).
Bytes Frame(std::uint8_t code, std::uint8_t components, std::uint8_t precision = 8,
            std::uint8_t height_low = 200) {
  Bytes payload = {precision, 0, height_low, 1, 44, components};
  payload.resize(payload.size() + 3u * components, 0x11);
  return Segment(code, payload);
}

const Bytes kAdobe = Segment(0xEE, {'A', 'd', 'o', 'b', 'e', 0, 100, 0, 0, 0, 0, 2});
const Bytes kScan = Segment(0xDA, {1, 1, 0, 0, 63, 0});

Bytes Jpeg(std::initializer_list<Bytes> segments) {
  Bytes file = {0xFF, 0xD8};
  for (const Bytes& segment : segments) file.insert(file.end(), segment.begin(), segment.end());
  file.insert(file.end(), {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD9});  // scan data, end of image
  return file;
}

TEST(JpegReaderTest, EmbedsEverySampleWithItsFrame) {
  struct Case {
    const char* name;
    int width;
    int height;
    const char* color_space;
    const char* decode;
  };
  const Case cases[] = {
      {"go-video-001.jpeg", 150, 103, "DeviceRGB", ""},
      {"go-video-001.q50.420.jpeg", 150, 103, "DeviceRGB", ""},
      {"go-video-001.progressive.jpeg", 150, 103, "DeviceRGB", ""},
      {"go-video-005.gray.jpeg", 150, 103, "DeviceGray", ""},
      {"go-video-001.cmyk.jpeg", 150, 103, "DeviceCMYK", "1 0 1 0 1 0 1 0"},
      {"go-video-001.rgb.jpeg", 150, 103, "DeviceRGB", ""},  // Adobe, but three components
      {"gp-icc-profile.jpeg", 48, 48, "DeviceRGB", ""},
      {"xi-go-turns-two-280x360.jpeg", 280, 360, "DeviceRGB", ""},
      {"wx-horse.jpg", 200, 200, "DeviceRGB", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = testing::ReadBytes(testing::TestData(std::string("jpeg/") + c.name));
    const RasterReadResult result = ReadJpegImage(file);
    ASSERT_EQ(result.status, PictureStatus::kOk);
    const RasterImage& image = result.image;
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.bits, 8);
    EXPECT_EQ(image.color_space, c.color_space);
    EXPECT_EQ(image.decode, c.decode);
    EXPECT_EQ(image.fixed_filter, "/DCTDecode ");
    EXPECT_TRUE(image.top_row_first);
    EXPECT_TRUE(image.palette.empty());
    EXPECT_TRUE(image.mask.empty());
    EXPECT_EQ(image.pixels, file);
  }
}

TEST(JpegReaderTest, FindsTheFrameByItsCode) {
  for (int code = 0xC0; code <= 0xCF; ++code) {
    SCOPED_TRACE(code);
    const bool frame = code != 0xC4 && code != 0xC8 && code != 0xCC;
    const RasterReadResult result =
        ReadJpegImage(Jpeg({Frame(static_cast<std::uint8_t>(code), 3), kScan}));
    ASSERT_EQ(result.status, frame ? PictureStatus::kOk : PictureStatus::kBadFormat);
    if (frame) {
      EXPECT_EQ(result.image.width, 300);
      EXPECT_EQ(result.image.height, 200);
    }
  }
}

TEST(JpegReaderTest, WalksSegments) {
  // A frame header inside an application segment must be skipped, not found.
  Bytes decoy = Frame(0xC0, 1, 8, 99);
  decoy.insert(decoy.begin(), {'E', 'x', 'i', 'f', 0xFF, 0xFF});
  struct Case {
    const char* what;
    Bytes file;
    const char* color_space;
    int height;
    const char* decode;
  };
  const Case cases[] = {
      {"frame bytes inside APP1", Jpeg({Segment(0xE1, decoy), Frame(0xC2, 3), kScan}), "DeviceRGB",
       200, ""},
      {"fill bytes and restart markers", Jpeg({{0xFF, 0xFF, 0xFF, 0xD0}, Frame(0xC0, 1), kScan}),
       "DeviceGray", 200, ""},
      {"Adobe before the frame", Jpeg({kAdobe, Frame(0xC0, 4), kScan}), "DeviceCMYK", 200,
       "1 0 1 0 1 0 1 0"},
      {"Adobe after the frame", Jpeg({Frame(0xC0, 4), kAdobe, kScan}), "DeviceCMYK", 200,
       "1 0 1 0 1 0 1 0"},
      {"Adobe after the first scan", Jpeg({Frame(0xC0, 4), kScan, kAdobe}), "DeviceCMYK", 200, ""},
      {"no Adobe", Jpeg({Frame(0xC0, 4), kScan}), "DeviceCMYK", 200, ""},
      {"Adobe, three components", Jpeg({kAdobe, Frame(0xC0, 3), kScan}), "DeviceRGB", 200, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RasterReadResult result = ReadJpegImage(c.file);
    ASSERT_EQ(result.status, PictureStatus::kOk);
    EXPECT_EQ(result.image.color_space, c.color_space);
    EXPECT_EQ(result.image.height, c.height);
    EXPECT_EQ(result.image.decode, c.decode);
  }
}

TEST(JpegReaderTest, EmbedsFromTheStartOfImage) {
  const Bytes jpeg = Jpeg({Frame(0xC0, 3), kScan});
  Bytes file = {'j', 0xFF, 0xD8, 'k'};  // no FF D8 FF
  file.insert(file.end(), jpeg.begin(), jpeg.end());
  const RasterReadResult result = ReadJpegImage(file);
  ASSERT_EQ(result.status, PictureStatus::kOk);
  EXPECT_EQ(result.image.pixels, jpeg);
}

TEST(JpegReaderTest, RefusesWhatItCannotEmbed) {
  const Bytes whole = Jpeg({Segment(0xE0, Bytes(40, 'x')), Frame(0xC0, 3), kScan});
  struct Case {
    const char* what;
    Bytes file;
    PictureStatus status;
  };
  const Case cases[] = {
      {"no start of image", {0xFF, 0xD9, 0xFF, 0xC0}, PictureStatus::kNotThisFormat},
      {"empty", {}, PictureStatus::kNotThisFormat},
      {"scan before any frame", Jpeg({kScan, Frame(0xC0, 3)}), PictureStatus::kBadFormat},
      {"no frame at all", Jpeg({kAdobe}), PictureStatus::kBadFormat},
      {"cut inside a segment", Bytes(whole.begin(), whole.begin() + 30), PictureStatus::kTruncated},
      {"cut inside the frame", Bytes(whole.begin(), whole.begin() + 50), PictureStatus::kTruncated},
      {"cut after the frame", Bytes(whole.begin(), whole.begin() + 66), PictureStatus::kOk},
      {"segment length 1", Jpeg({{0xFF, 0xE0, 0, 1}, Frame(0xC0, 3)}), PictureStatus::kBadFormat},
      {"12-bit precision", Jpeg({Frame(0xC1, 3, 12)}), PictureStatus::kBadFormat},
      {"two components", Jpeg({Frame(0xC0, 2)}), PictureStatus::kBadFormat},
      {"zero height", Jpeg({Frame(0xC0, 3, 8, 0)}), PictureStatus::kBadFormat},
      {"short frame header", Jpeg({Segment(0xC0, {8, 0, 1, 0})}), PictureStatus::kBadFormat},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadJpegImage(c.file).status, c.status);
  }
}

}  // namespace
}  // namespace pagora
