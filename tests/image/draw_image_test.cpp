// GIF pictures placed on a page: the image objects written, the cache, the errors, and
// the rendered pixels against ImageMagick's decode.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "pdf/core/pagora.h"
#include "tests/image/gif_builder.h"
#include "tests/image/gif_test_util.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::TestData;

int Count(const std::string& text, const std::string& needle) {
  int count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

// The number of the object whose text contains position `at`.
int ObjectAround(const std::string& file, std::size_t at) {
  std::size_t start = file.rfind(" 0 obj", at);
  if (start == std::string::npos) return -1;
  std::size_t digits = start;
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(file[digits - 1]))) --digits;
  return std::stoi(file.substr(digits, start - digits));
}

// The document's objects with their streams decoded, so that content can be searched.
std::string Uncompressed(const std::filesystem::path& pdf, const TempDir& dir) {
  const auto qdf = dir / "qdf.pdf";
  const auto run = testing::RunCommand("qpdf --qdf --object-streams=disable " +
                                       testing::ShellQuote(pdf.string()) + " " +
                                       testing::ShellQuote(qdf.string()));
  EXPECT_EQ(run.exit_code, 0) << run.output;
  return ReadFileBytes(qdf);
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

class DrawImageTest : public ::testing::Test {
 protected:
  std::string Write(const std::function<void(Pagora&)>& draw) {
    testing::WriteOnePage(pdf_, [&](Pagora& d) {
      draw(d);
      error_number_ = d.ErrNumber();
      error_source_ = d.ErrSource();
      error_description_ = d.ErrDescription();
    });
    EXPECT_TRUE(testing::QpdfChecksClean(pdf_));
    return Uncompressed(pdf_, dir_);
  }
  std::string Gif(const char* name) { return TestData(std::string("gif/") + name).string(); }

  TempDir dir_;
  std::filesystem::path pdf_ = dir_ / "out.pdf";
  int error_number_ = -1;
  std::string error_source_;
  std::string error_description_;
};

TEST_F(DrawImageTest, WritesAnIndexedImageWithPaletteAndMask) {
  // 3 × 2 pixels, 4 colours, background index 3.
  const std::vector<std::uint8_t> pixels = {0, 1, 2, 2, 1, 0};
  WriteFile(dir_ / "small.gif",
            testing::GifBuilder(3, 2, 2, 3).LiteralImage(0, 0, 3, 2, pixels, 2).Finish());
  Write([&](Pagora& d) { d.DrawImage((dir_ / "small.gif").string(), 10, 20, 0, 0, 1); });
  const std::string raw = ReadFileBytes(pdf_);
  const std::string head = "<< /Type /XObject /Subtype /Image /Name /_IMG_1 /Width 3 /Height 2";
  const std::size_t at = raw.find(head);
  ASSERT_NE(at, std::string::npos);
  const int object = ObjectAround(raw, at);
  const std::string lines = raw.substr(at + head.size(), 120);
  EXPECT_EQ(lines.find("/Mask [3 3 ]"), 1u) << lines;
  const std::string space = "/BitsPerComponent 2 /ColorSpace [/Indexed /DeviceRGB 3 " +
                            std::to_string(object + 1) + " 0 R]";
  EXPECT_NE(lines.find(space), std::string::npos) << lines;
  EXPECT_NE(raw.find("/_IMG_1 " + std::to_string(object) + " 0 R "), std::string::npos);
  const std::size_t palette = raw.find(std::to_string(object + 1) + " 0 obj");
  ASSERT_NE(palette, std::string::npos);
  const std::string palette_bytes = {char(1), char(11), char(21), char(2), char(14), char(28)};
  EXPECT_NE(raw.find(palette_bytes, palette), std::string::npos);
}

TEST_F(DrawImageTest, OneObjectPerFileAndFrame) {
  const std::string throbber = Gif("wx-throbber.gif");
  const std::string content = Write([&](Pagora& d) {
    d.DrawImage(throbber, 0, 0, 0, 0, 1);
    d.DrawImage(throbber, 50, 0, 0, 0, 1);
    d.DrawImage(throbber, 100, 0, 0, 0, 2);
  });
  EXPECT_EQ(Count(content, "/Subtype /Image"), 2);
  EXPECT_EQ(Count(content, "/_IMG_1 Do Q"), 2);
  EXPECT_EQ(Count(content, "/_IMG_2 Do Q"), 1);
}

TEST_F(DrawImageTest, SameFileInAnotherLetterCaseIsOneEntry) {
  // The file system may not know the upper-case name; the first call reads the file.
  const auto lower = dir_ / "pic.gif";
  std::filesystem::copy_file(Gif("apache-left.gif"), lower);
  const std::string content = Write([&](Pagora& d) {
    d.DrawImage(lower.string(), 0, 0, 0, 0, 1);
    d.DrawImage((dir_ / "PIC.GIF").string(), 30, 0, 0, 0, 1);
    d.DrawImage((dir_ / "Pic.Gif").string(), 60, 0, 0, 0, 1);
  });
  EXPECT_EQ(Count(content, "/Subtype /Image"), 1);
  EXPECT_EQ(Count(content, "/_IMG_1 Do Q"), 3);
  EXPECT_EQ(error_number_, 0);
}

TEST_F(DrawImageTest, SizesFromPixelsAndKeepsTheAspectRatio) {
  // apache-left.gif is 20 × 22 pixels.
  const std::string gif = Gif("apache-left.gif");
  const std::string content = testing::CaptureContent([&](Pagora& d) {
    d.DrawImage(gif, 10, 20, 0, 0, 1);
    EXPECT_FLOAT_EQ(d.LastArea().right - d.LastArea().left, 20);
    d.DrawImage(gif, 10, 20, 40, 0, 1);
    EXPECT_FLOAT_EQ(d.LastArea().top - d.LastArea().bottom, 44);
    d.DrawImage(gif, 10, 20, 0, 11, 1);
    d.DrawImage(gif, 10, 20, -20, 22, 1);
  });
  EXPECT_NE(content.find("q 20 0 0 22 10 20 cm /_IMG_1 Do Q"), std::string::npos) << content;
  EXPECT_NE(content.find("q 40 0 0 44 10 20 cm /_IMG_1 Do Q"), std::string::npos);
  EXPECT_NE(content.find("q 10 0 0 11 10 20 cm /_IMG_1 Do Q"), std::string::npos);
  EXPECT_NE(content.find("q -20 0 0 22 10 20 cm /_IMG_1 Do Q"), std::string::npos);
}

TEST_F(DrawImageTest, PictureWithoutObjectRecordsItsErrorAndIsNotPlaced) {
  const auto make = [&](const char* name, std::vector<std::uint8_t> bytes) {
    WriteFile(dir_ / name, bytes);
    return (dir_ / name).string();
  };
  auto truncated = testing::ReadBytes(Gif("apache-left.gif"));
  truncated.resize(truncated.size() / 2);
  auto not_gif = testing::ReadBytes(Gif("apache-left.gif"));
  not_gif[4] = '8';
  struct Case {
    std::string file;
    int frame;
    int number;
    std::string description;
  };
  const std::string folder = (dir_ / "folder.gif").string();
  std::filesystem::create_directory(folder);
  const std::string pipe = (dir_ / "pipe.gif").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const Case cases[] = {
      {(dir_ / "missing.gif").string(), 1, 53, "Impossibile trovare il file"},
      {make("cut.gif", truncated), 1, 62, "Input oltre la fine del file"},
      {Gif("apache-left.gif"), 2, 321, "Formato di file non valido"},
      // A file named as a picture that is none is a failure the caller must hear of.
      {make("not.gif", not_gif), 1, 321, "Formato di file non valido"},
      // Only regular files are read: a folder or a pipe is refused, never waited on.
      {folder, 1, 75, "Errore di accesso al percorso/file"},
      {pipe, 1, 75, "Errore di accesso al percorso/file"},
      {make("picture.png", not_gif), 1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string content =
        Write([&](Pagora& d) { d.DrawImage(c.file, 5, 5, 10, 10, c.frame); });
    EXPECT_EQ(Count(content, "Do Q"), 0);
    EXPECT_EQ(Count(content, "/Subtype /Image"), 0);
    EXPECT_EQ(error_number_, c.number);
    if (c.number != 0) {
      std::string upper = c.file;
      for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      EXPECT_EQ(error_source_, "Pagora.DrawImage");
      EXPECT_EQ(error_description_, c.description + " - " + upper);
    }
  }
}

// Drawn at one point per pixel, every pixel shows ImageMagick's colour, or the page's white
// where the background index is masked. MuPDF renders at 72 dpi, one pixel per point.
// Poppler smooths images drawn at less than four device pixels per sample, so it renders
// at 288 dpi and each picture pixel is probed at the centre of its 4 × 4 block.
class RenderedGifTest : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(RenderedGifTest, MatchesImageMagick) {
  const auto [name, frame] = GetParam();
  const auto gif = TestData(std::string("gif/") + name);
  const GifReadResult decoded = ReadGifImage(testing::ReadBytes(gif), frame);
  ASSERT_EQ(decoded.status, GifStatus::kOk);
  const GifPicture& picture = decoded.picture;
  TempDir dir;
  const auto pdf = dir / "picture.pdf";
  testing::WriteOnePage(pdf, [&](Pagora& d) {
    d.SetPaperSize(255, static_cast<float>(picture.width), static_cast<float>(picture.height));
    d.DrawImage(gif.string(), 0, 0, 0, 0, frame);
  });
  ASSERT_TRUE(testing::QpdfChecksClean(pdf));
  const testing::MagickFrame magick = testing::DecodeWithImageMagick(gif, frame - 1, dir);

  struct Rendering {
    testing::Renderer renderer;
    int scale;
  };
  for (const Rendering rendering :
       {Rendering{testing::Renderer::kMupdf, 1}, Rendering{testing::Renderer::kPoppler, 4}}) {
    SCOPED_TRACE(rendering.scale == 1 ? "MuPDF" : "poppler");
    testing::Raster raster;
    ASSERT_TRUE(testing::Render(pdf, rendering.renderer, 1, 72 * rendering.scale, &raster));
    ASSERT_EQ(raster.width, picture.width * rendering.scale);
    ASSERT_EQ(raster.height, picture.height * rendering.scale);
    int mismatches = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        testing::Rgb expected{255, 255, 255};
        if (picture.transparent_index != testing::IndexAt(picture, x, y)) {
          const std::uint8_t* rgba =
              &magick.rgba[4 * ((y - magick.top) * magick.width + (x - magick.left))];
          expected = {rgba[0], rgba[1], rgba[2]};
        }
        const int centre = rendering.scale / 2;
        const testing::Rgb actual =
            raster.At(x * rendering.scale + centre, y * rendering.scale + centre);
        if (actual != expected && mismatches++ < 3) {
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << int{actual[0]} << " "
                        << int{actual[1]} << " " << int{actual[2]} << ", expected "
                        << int{expected[0]} << " " << int{expected[1]} << " " << int{expected[2]};
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RenderedGifTest,
    ::testing::Values(std::pair{"apache-left.gif", 1}, std::pair{"apache-folder.gif", 1},
                      std::pair{"apache-small-doc.gif", 1}, std::pair{"apache-icon.sheet.gif", 1},
                      std::pair{"tk-tai-ku.gif", 1}, std::pair{"gts-image-inside-bg.gif", 1},
                      std::pair{"gts-max-codes.gif", 1}, std::pair{"wx-throbber.gif", 3},
                      std::pair{"apache-small-blank.gif", 1}, std::pair{"perltk-earth-87a.gif", 1}),
    [](const auto& param_info) {
      std::string name =
          std::string(param_info.param.first) + "_" + std::to_string(param_info.param.second);
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

}  // namespace
}  // namespace pagora
