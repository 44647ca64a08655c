// Pixel truth: every frame the reader decodes must show, pixel for pixel, the colours
// ImageMagick decodes from the same frame.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "pdf/image/gif_reader.h"
#include "tests/image/gif_builder.h"
#include "tests/image/gif_test_util.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::DecodeWithImageMagick;
using testing::ImageMagickFrameCount;
using testing::IndexAt;
using testing::kImageMagick;
using testing::MagickFrame;
using testing::ReadBytes;
using testing::RunCommand;
using testing::ShellQuote;
using testing::TempDir;

void ExpectMatchesImageMagick(const std::filesystem::path& gif) {
  const std::vector<std::uint8_t> file = ReadBytes(gif);
  ASSERT_GT(file.size(), 12u);
  TempDir dir;
  const int frames = ImageMagickFrameCount(gif);
  ASSERT_GT(frames, 0);
  EXPECT_EQ(ReadGifImage(file, frames + 1).status, GifStatus::kFrameMissing);
  for (int frame = 1; frame <= frames; ++frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    const GifReadResult result = ReadGifImage(file, frame);
    ASSERT_EQ(result.status, GifStatus::kOk);
    const GifPicture& picture = result.picture;
    const MagickFrame magick = DecodeWithImageMagick(gif, frame - 1, dir);
    ASSERT_FALSE(magick.rgba.empty());

    const std::uint8_t background = file[11];
    if (background < (1 << picture.bits)) {
      EXPECT_EQ(picture.transparent_index, background);
    } else {
      EXPECT_FALSE(picture.transparent_index.has_value());
    }
    const int fill = picture.transparent_index.value_or(0);
    int compared = 0;
    int masked = 0;
    int mismatches = 0;
    std::string first_mismatch;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const int index = IndexAt(picture, x, y);
        const int fx = x - magick.left;
        const int fy = y - magick.top;
        if (fx < 0 || fy < 0 || fx >= magick.width || fy >= magick.height) {
          ASSERT_EQ(index, fill) << "outside the frame at " << x << "," << y;
          continue;
        }
        if (picture.transparent_index == index) {  // masked: the page shows through
          ++masked;
          continue;
        }
        ++compared;
        // ImageMagick keeps a palette colour even where it makes the pixel transparent.
        const std::uint8_t* expected = &magick.rgba[4 * (fy * magick.width + fx)];
        const std::uint8_t* actual = &picture.palette[3 * index];
        if (!std::equal(actual, actual + 3, expected) && mismatches++ == 0) {
          first_mismatch =
              std::to_string(x) + "," + std::to_string(y) + " index " + std::to_string(index);
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << "first at " << first_mismatch;
    EXPECT_GT(compared + masked, 0);
  }
}

class SampleGifTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleGifTest, MatchesImageMagick) {
  ExpectMatchesImageMagick(testing::TestData(std::string("gif/") + GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Samples, SampleGifTest,
    ::testing::Values("apache-folder.gif", "apache-icon.sheet.gif", "apache-image2.gif",
                      "apache-left.gif", "apache-small-blank.gif", "apache-small-doc.gif",
                      "apache-small-rainbow.gif", "apache_pb.gif", "go-video-001.gif",
                      "go-video-001.interlaced.gif", "gts-animation.gif", "gts-comment.gif",
                      "gts-depth3.gif", "gts-depth5.gif", "gts-gif87a.gif",
                      "gts-image-inside-bg.gif", "gts-local-color-table.gif", "gts-max-codes.gif",
                      "gts-no-global-color-table.gif", "gts-plain-text.gif", "perltk-earth-87a.gif",
                      "tk-earth-89a.gif", "tk-pwrdLogo75.gif", "tk-tai-ku.gif", "wx-throbber.gif"),
    [](const auto& param_info) {
      std::string name = param_info.param;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

struct Generated {
  const char* name;
  const char* arguments;  // ImageMagick's, before the output file
};

class GeneratedGifTest : public ::testing::TestWithParam<Generated> {};

TEST_P(GeneratedGifTest, MatchesImageMagick) {
  TempDir dir;
  const auto gif = dir / (std::string(GetParam().name) + ".gif");
  const auto made = RunCommand(std::string(kImageMagick) + " " + GetParam().arguments + " " +
                               ShellQuote(gif.string()));
  ASSERT_EQ(made.exit_code, 0) << made.output;
  ExpectMatchesImageMagick(gif);
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagickMade, GeneratedGifTest,
    ::testing::Values(
        Generated{"colors2", "-size 37x23 -seed 1 plasma:fractal -colors 2"},
        Generated{"colors4", "-size 37x23 -seed 1 plasma:fractal -colors 4"},
        Generated{"colors8", "-size 37x23 -seed 1 plasma:fractal -colors 8"},
        Generated{"colors16", "-size 37x23 -seed 1 plasma:fractal -colors 16"},
        Generated{"colors32", "-size 37x23 -seed 1 plasma:fractal -colors 32"},
        Generated{"colors256", "-size 173x99 -seed 1 plasma:fractal -colors 256"},
        Generated{"interlaced", "-size 61x45 -seed 5 plasma:fractal -colors 64 -interlace GIF"},
        Generated{"local_palettes",
                  "-size 30x20 -seed 2 plasma:fractal -colors 8"
                  " '(' -size 30x20 -seed 3 plasma:red-blue -colors 16 ')'"
                  " '(' -size 30x20 gradient:green-yellow -colors 32 ')' -loop 0"},
        Generated{"offset_frame",
                  "-size 20x10 -seed 4 plasma:fractal -colors 16 -repage 50x40+7+5"},
        Generated{"offset_frames_over_the_edge",
                  "-size 50x40 xc:white -colors 2"
                  " '(' -size 20x10 -seed 4 plasma:fractal -colors 16 -repage +7+5 ')'"
                  " '(' -size 12x9 gradient:red-blue -colors 4 -repage +40+33 ')'"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// An encoder may fill the dictionary and keep sending 12-bit codes without a clear code,
// code 4095 included; ImageMagick decides what those codes mean.
TEST(GifFullDictionaryTest, MatchesImageMagick) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pixel(0, 255);
  testing::LzwCodeStream stream(8);
  stream.Clear();
  std::size_t pixels = 0;
  while (stream.next_free() < 4096) {
    stream.Put(static_cast<std::uint32_t>(pixel(random)));
    ++pixels;
  }
  std::uniform_int_distribution<std::uint32_t> entry(258, 4095);
  for (int i = 0; i < 200; ++i) {
    const std::uint32_t code = i % 3 == 0 ? 4095 : entry(random);
    stream.Put(code);
    pixels += 2;
  }
  // ImageMagick refuses a frame its data does not fill: one row of exactly these pixels.
  const int width = static_cast<int>(pixels);
  const auto file =
      testing::GifBuilder(width, 1, 8).Image(0, 0, width, 1, stream.FinishWithEnd(), 8).Finish();
  TempDir dir;
  const auto gif = dir / "full.gif";
  std::ofstream(gif, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  ExpectMatchesImageMagick(gif);
}

}  // namespace
}  // namespace pagora
