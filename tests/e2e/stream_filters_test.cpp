// Streams written through every filter and combination of filters, over data of many
// shapes, into one real document: qpdf and MuPDF decode each stream back to its data, and
// the page, whose content and image are themselves filtered, renders in every reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pdf/codec/lzw_encoder.h"
#include "pdf/core/object_writer.h"
#include "pdf/core/stream_writer.h"
#include "tests/support/pdf_checker.h"
#include "tests/support/stream_decoders.h"

namespace pagora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Raster;
using testing::Renderer;
using testing::Rgb;
using testing::RunCommand;
using testing::ShellQuote;

struct Shape {
  std::string name;
  Bytes data;
};

Bytes RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  Bytes bytes(count);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
  return bytes;
}

Bytes Text(std::size_t count) {
  static const char* const kWords[] = {"Cartello ", "di ",          "cantiere: ",  "lavori ",
                                       "edili ",    "impresa ",     "esecutrice ", "(Comune) ",
                                       "\xE8 ",     "direttore\r\n"};
  std::mt19937 generator(5);
  Bytes text;
  while (text.size() < count) {
    const std::string word = kWords[generator() % 10];
    text.insert(text.end(), word.begin(), word.end());
  }
  text.resize(count);
  return text;
}

std::vector<Shape> DataShapes() {
  Bytes runs;
  for (int run = 1; run <= 300; ++run)
    runs.insert(runs.end(), static_cast<std::size_t>(run), static_cast<std::uint8_t>(run));
  return {
      {"empty", {}},
      {"one byte", {0x41}},
      {"runs of 1 to 300 equal bytes", runs},
      {"text", Text(20000)},
      {"random", RandomBytes(20000, 6)},
      // Long enough for LZW to fill and clear its table several times at every level.
      {"long random", RandomBytes(70000, 7)},
      {"long text", Text(150000)},
  };
}

// Random data cut where the LZW end-of-data code is read one bit wider than the code
// before it, for each level and each width that can happen there.
std::vector<Shape> LzwWidenedEnds(int level) {
  std::vector<Shape> shapes;
  const Bytes random = RandomBytes(2600, 8);
  int last_width = 9;
  for (std::size_t size = 200; size <= random.size(); ++size) {
    const Bytes input(random.begin(), random.begin() + static_cast<std::ptrdiff_t>(size));
    const auto codes = testing::DecodeLzw(EncodeLzw(input, level)).value().codes;
    const int end_width = codes.back().width;
    if (end_width > codes[codes.size() - 2].width && end_width > last_width) {
      shapes.push_back({"end widened to " + std::to_string(end_width), input});
      last_width = end_width;
    }
  }
  return shapes;
}

struct WrittenStream {
  std::string label;
  int object = 0;
  Bytes data;
};

class StreamFiltersTest : public ::testing::Test {
 protected:
  // Writes a stream object whose dictionary starts with `dictionary_start`.
  int WriteStreamObject(const Bytes& data, StreamSettings settings, std::string_view preset,
                        std::string_view dictionary_start = "<<") {
    const int object = writer_.StartObject();
    writer_.WriteLine(dictionary_start);
    const EncodedStream stream = EncodeStream(data, settings, preset);
    WriteStreamTail(writer_, stream.filters, 0, stream.data);
    writer_.FinishObject();
    return object;
  }

  void WriteDocument() {
    writer_.Open(pdf_.string());
    writer_.WriteLine("%PDF-1.3\n% \xA9 filters");
    writer_.ReserveSharedObjects();

    const StreamSettings settings[] = {
        {0x01, 0}, {0x04, 0}, {0x04, 1}, {0x04, 2}, {0x04, 3}, {0x08, 0}, {0x10, 0},
        {0x05, 1}, {0x0C, 2}, {0x11, 0}, {0x18, 0}, {0x1D, 3}, {0x00, 0}, {0x02, 0},
        {0x02, 1}, {0x02, 2}, {0x02, 3}, {0x0A, 1}, {0x03, 2}, {0x06, 3}, {0x1F, 3},
    };
    for (const Shape& shape : DataShapes()) {
      for (const StreamSettings& s : settings) {
        const int object = WriteStreamObject(shape.data, s, "");
        streams_.push_back({shape.name + ", flags " + std::to_string(s.flags) + " level " +
                                std::to_string(s.level),
                            object, shape.data});
      }
    }
    for (std::uint8_t level = 0; level <= 3; ++level) {
      for (const Shape& shape : LzwWidenedEnds(level)) {
        const int object = WriteStreamObject(shape.data, {kLzwFilter, level}, "");
        streams_.push_back(
            {shape.name + ", LZW level " + std::to_string(level), object, shape.data});
      }
    }

    // The image is already DCT-encoded: only base-85 applies, in front of "/DCTDecode ". A
    // second copy with no other filter is the reference its decoded pixels must match.
    const std::string jpeg =
        testing::ReadFileBytes(PAGORA_TEST_DATA_DIR "/go-video-001.q50.420.jpeg");
    constexpr std::string_view kImageDictionary =
        "<< /Type /XObject /Subtype /Image /Width 150 /Height 103 /ColorSpace /DeviceRGB\r"
        "/BitsPerComponent 8";
    const Bytes jpeg_bytes(jpeg.begin(), jpeg.end());
    image_object_ = WriteStreamObject(jpeg_bytes, {0x0D, 1}, "/DCTDecode ", kImageDictionary);
    plain_image_object_ = WriteStreamObject(jpeg_bytes, {}, "/DCTDecode ", kImageDictionary);

    // A 200 × 100 pt page: red on the left half, the picture on the right half.
    const std::string content = "\r1 0 0 rg\r0 0 100 100 re f\rq 100 0 0 100 100 0 cm /Im1 Do Q";
    const int contents = WriteStreamObject(Bytes(content.begin(), content.end()), {0x1D, 3}, "");
    const int page = writer_.StartObject();
    writer_.WriteLine(
        "<< /Type /Page /Parent 1 0 R /MediaBox [0 0 200 100] /Resources 2 0 R\r"
        "/Contents " +
        std::to_string(contents) + " 0 R >>");
    writer_.FinishObject();
    writer_.StartObject(3);
    writer_.WriteLine("<< /ProcSet [/PDF /ImageC ] >>");
    writer_.FinishObject();
    writer_.StartObject(2);
    writer_.WriteLine("<< /ProcSet [/PDF /ImageC ]\r/XObject << /Im1 " +
                      std::to_string(image_object_) + " 0 R >> >>");
    writer_.FinishObject();
    writer_.StartObject(1);
    writer_.WriteLine("<<\r/Type /Pages /Count 1\r/Kids [" + std::to_string(page) + " 0 R ] \r>>");
    writer_.FinishObject();
    const int catalog = writer_.StartObject();
    writer_.WriteLine("<< /Type /Catalog\r/Pages 1 0 R\r>>");
    writer_.FinishObject();
    const int info = writer_.StartObject();
    writer_.WriteLine("<<\r/Title (filters)\r>>");
    writer_.FinishObject();
    writer_.WriteXrefAndTrailer(info, catalog, std::nullopt);
    writer_.FinishFile();
  }

  testing::TempDir dir_;
  std::filesystem::path pdf_ = dir_ / "filters.pdf";
  PdfObjectWriter writer_;
  std::vector<WrittenStream> streams_;
  int image_object_ = 0;
  int plain_image_object_ = 0;
};

TEST_F(StreamFiltersTest, QpdfAndMupdfDecodeEveryStreamBackToItsData) {
  WriteDocument();
  ASSERT_TRUE(testing::QpdfChecksClean(pdf_));

  // qpdf writes every stream, decoded, to a file named after its object; any warning fails.
  auto qpdf_decode = [this](std::string_view level) {
    const auto prefix = dir_ / ("qpdf-" + std::string(level));
    const auto qpdf = RunCommand(
        "{ qpdf --json=2 --json-key=qpdf --json-stream-data=file "
        "--json-stream-prefix=" +
        ShellQuote(prefix.string()) + " --decode-level=" + std::string(level) + " " +
        ShellQuote(pdf_.string()) + " >/dev/null; }");
    EXPECT_EQ(qpdf.exit_code, 0) << qpdf.output;
    EXPECT_EQ(qpdf.output, "");
    return [prefix](int object) {
      return testing::ReadFileBytes(prefix.string() + "-" + std::to_string(object));
    };
  };
  auto mupdf_decode = [this](int object) {
    const auto mupdf =
        RunCommand("mutool show -b " + ShellQuote(pdf_.string()) + " " + std::to_string(object));
    EXPECT_EQ(mupdf.exit_code, 0);
    return mupdf.output;
  };

  const auto qpdf_stream = qpdf_decode("specialized");
  for (const WrittenStream& stream : streams_) {
    SCOPED_TRACE(stream.label);
    const std::string expected(stream.data.begin(), stream.data.end());
    EXPECT_EQ(qpdf_stream(stream.object), expected);
    EXPECT_EQ(mupdf_decode(stream.object), expected);
  }

  // Both readers see the same pixels through "/ASCII85Decode /DCTDecode " as through
  // "/DCTDecode " alone.
  const auto qpdf_pixels = qpdf_decode("all");
  EXPECT_EQ(qpdf_pixels(image_object_).size(), 150u * 103 * 3);
  EXPECT_EQ(qpdf_pixels(image_object_), qpdf_pixels(plain_image_object_));
  EXPECT_EQ(mupdf_decode(image_object_), mupdf_decode(plain_image_object_));
}

TEST_F(StreamFiltersTest, ThePageWithFilteredContentAndImageRendersInEveryReader) {
  WriteDocument();
  ASSERT_TRUE(testing::PassesAllReaders(pdf_));
  for (const Renderer renderer : {Renderer::kPoppler, Renderer::kMupdf}) {
    Raster raster;
    ASSERT_TRUE(testing::Render(pdf_, renderer, 1, 72, &raster));
    EXPECT_TRUE(testing::NearColor(raster.At(50, 50), Rgb{255, 0, 0}));
    // The picture covers the right half: none of it is the white of an empty page.
    int white = 0;
    for (int x = 105; x < 200; x += 10) {
      for (int y = 5; y < 100; y += 10)
        white += testing::NearColor(raster.At(x, y), Rgb{255, 255, 255}, 8);
    }
    EXPECT_LT(white, 10);
  }
}

}  // namespace
}  // namespace pagora
