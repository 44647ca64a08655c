// Font requests, records, font objects and SetFont's effect on the file.
#include "pdf/text/font_table.h"

#include <gtest/gtest.h>

#include <string>

#include "pdf/core/pagora.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

TEST(FontTable, RequestsMapFamiliesStylesAndEncodings) {
  const struct {
    const char* family;
    int style;
    int encoding;
    const char* resource_name;
    const char* key;
  } cases[] = {
      {"Times New Roman", 3, 0, "TimesNewRoman,BoldItalic", "TIMESNEWROMAN,BOLDITALIC"},
      {"times", 3, 0, "TimesNewRoman,BoldItalic", "TIMESNEWROMAN,BOLDITALIC"},
      {"Helvetica", 1, 0, "Arial,Bold", "ARIAL,BOLD"},
      {"Arial", 1 | 4 | 16, 0, "Arial,Bold", "ARIAL,BOLD"},
      {"Arial", 1, 1, "MACArial,Bold", "MACARIAL,BOLD"},
      {"courier new", 2, 2, "CourierNew,Italic", "COURIERNEW,ITALIC"},
      {"Symbol", 1, 0, "Symbol", "SYMBOL"},
      {"ZAPF DINGBATS", 3, 1, "MACZapfDingbats", "MACZAPFDINGBATS"},
      {"My Font", 1, 0, "MyFont", "MYFONT"},
  };
  for (const auto& c : cases) {
    const FontRequest request = ResolveFontRequest(c.family, c.style, c.encoding);
    EXPECT_EQ(request.resource_name, c.resource_name) << c.family;
    EXPECT_EQ(request.key, c.key) << c.family;
  }
}

TEST(FontTable, RecordsCarryNameMetricsAndKey) {
  const FontRecord courier = MakeFontRecord(ResolveFontRequest("Courier", 3, 1), 3, 1);
  EXPECT_EQ(courier.name, "CourierNew,BoldItalic");
  EXPECT_EQ(courier.key, "MACCOURIERNEW,BOLDITALIC");
  EXPECT_EQ(courier.height, 1133);
  EXPECT_EQ(courier.descent, -300);
  EXPECT_EQ(courier.encoding, 1);

  // An unknown family is drawn with Arial but keyed by its own name, so that asking for it
  // again finds the same record.
  const FontRecord unknown = MakeFontRecord(ResolveFontRequest("My Font", 1, 0), 1, 0);
  EXPECT_EQ(unknown.name, "Arial,Bold");
  EXPECT_EQ(unknown.key, "MYFONT");
  EXPECT_EQ(unknown.widths[65], 722);
  EXPECT_EQ(FindFont({courier, unknown}, "MYFONT", 2), 0);  // same key, other encoding
  // A font loaded under a key already in use takes it over: the newest record is found.
  EXPECT_EQ(FindFont({unknown, courier, unknown}, "MYFONT", 0), 3);

  const struct {
    const char* family;
    int height, descent;
  } vertical[] = {{"Arial", 1221, -221},
                  {"Times", 1107, -216},
                  {"Symbol", 1225, -220},
                  {"ZapfDingbats", 1221, -221}};
  for (const auto& v : vertical) {
    const FontRecord record = MakeFontRecord(ResolveFontRequest(v.family, 0, 0), 0, 0);
    EXPECT_EQ(record.height, v.height) << v.family;
    EXPECT_EQ(record.descent, v.descent) << v.family;
  }
}

TEST(FontTable, FontObjectLines) {
  FontRecord times = MakeFontRecord(ResolveFontRequest("Times", 3, 0), 3, 0);
  EXPECT_EQ(BuildFontObjectLines(times, "TimesNewRoman,BoldItalic", 6),
            (std::vector<std::string>{
                "<< /Type /Font /Subtype /Type1 /Name /TimesNewRoman,BoldItalic /BaseFont "
                "/TimesNewRoman,BoldItalic /FirstChar 0 /LastChar 255",
                "/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding>>", " >>"}));
  times.encoding = 1;
  EXPECT_EQ(BuildFontObjectLines(times, "MACTimesNewRoman,BoldItalic", 6)[1],
            "/Encoding << /Type /Encoding /BaseEncoding /MacRomanEncoding>>");

  const FontRecord symbol = MakeFontRecord(ResolveFontRequest("Symbol", 1, 0), 1, 0);
  EXPECT_EQ(BuildFontObjectLines(symbol, "Symbol", 10),
            (std::vector<std::string>{"<< /Type /Font /Subtype /Type1 /Name /Symbol /BaseFont "
                                      "/Symbol /FirstChar 0 /LastChar 255",
                                      " >>"}));

  FontRecord true_type;
  true_type.true_type = true;
  true_type.name = "Deja Vu";
  for (int code = 0; code < 256; ++code) true_type.widths[code] = static_cast<uint16_t>(code);
  const auto lines = BuildFontObjectLines(true_type, "DejaVu", 8);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "<< /Type /Font /Subtype /TrueType /Name /DejaVu /BaseFont /Deja#20Vu /FirstChar 0 "
            "/LastChar 255");
  EXPECT_EQ(lines[2].substr(0, 50), "/FontDescriptor 8 0 R\r/Widths [ 0 1 2 3 4 5 6 7 8 ");
  EXPECT_NE(lines[2].find(" 14 15\r 16 17 "), std::string::npos);
  EXPECT_EQ(lines[2].substr(lines[2].size() - 13), " 254 255\r]\r>>");
  EXPECT_EQ(BuildFontDescriptorLine(true_type, "/Flags 32"),
            "<< /Type /FontDescriptor /FontName /Deja#20Vu /Flags 32 ");
}

TEST(FontTable, NameTokensEscapeDelimitersAndOtherBytes) {
  EXPECT_EQ(PdfNameToken("Arial,BoldItalic"), "Arial,BoldItalic");
  EXPECT_EQ(PdfNameToken("a/b(c)#d e\xE8"), "a#2Fb#28c#29#23d#20e#E8");
}

class SetFontTest : public ::testing::Test {
 protected:
  std::string WriteWith(void (*draw)(Pagora&)) {
    Pagora doc;
    doc.BeginDoc(pdf_.string());
    draw(doc);
    doc.EndDoc();
    EXPECT_TRUE(testing::QpdfChecksClean(pdf_));
    return testing::ReadFileBytes(pdf_);
  }
  static int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
  }
  testing::TempDir dir_;
  std::filesystem::path pdf_ = dir_ / "fonts.pdf";
};

TEST_F(SetFontTest, EachRecordIsWrittenOnceAndListedInTheResources) {
  const std::string file = WriteWith([](Pagora& doc) {
    doc.BeginPage();
    doc.SetFont("Times New Roman", 12, 3);
    doc.SetFont("times", 0, 3);
    doc.SetFont("Helvetica", 0, 1);
    doc.SetFont("Arial", 0, 1 | 4);
    doc.SetFont("Arial", 0, 1, 1);
    doc.SetFont("Unknown Face", 0, 2);
    doc.SetFont("unknownface", 0, 2);
  });
  EXPECT_EQ(Count(file, "/Type /Font "), 4);
  EXPECT_EQ(Count(file, "/BaseFont /TimesNewRoman,BoldItalic "), 1);
  EXPECT_EQ(Count(file, "/Name /Arial,Bold /BaseFont /Arial,Bold"), 1);
  EXPECT_EQ(Count(file, "/Name /MACArial,Bold /BaseFont /Arial,Bold"), 1);
  EXPECT_EQ(Count(file, "/Name /UnknownFace /BaseFont /Arial,Italic"), 1);
  EXPECT_EQ(Count(file,
                  "/Font <<\r/TimesNewRoman,BoldItalic 4 0 R /Arial,Bold 5 0 R "
                  "/MACArial,Bold 6 0 R /UnknownFace 7 0 R >>"),
            2);
}

TEST(SetFont, SizeZeroBecomesTenOnlyThroughSetFont) {
  testing::TempDir dir;
  Pagora doc;
  doc.BeginDoc((dir / "size.pdf").string());
  EXPECT_EQ(doc.TextHeight(), 0);
  EXPECT_EQ(doc.TextLength("AB"), 0);
  doc.SetFont("Arial", 0);
  EXPECT_FLOAT_EQ(doc.TextLength("AB"), 13.34f);
  EXPECT_FLOAT_EQ(doc.TextHeight(), 12.21f);
  doc.SetFontSize(0);
  EXPECT_EQ(doc.TextLength("AB"), 0);
  doc.SetFont("Arial", 0);
  EXPECT_FLOAT_EQ(doc.TextLength("AB"), 13.34f);
  doc.EndDoc();
}

}  // namespace
}  // namespace pagora
