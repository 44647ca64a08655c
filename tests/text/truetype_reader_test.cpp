// TrueType metrics against fontTools, damaged files, and the record and descriptor.
#include "pdf/text/truetype_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/text/truetype_font_record.h"
#include "tests/support/pdf_checker.h"

namespace pagora {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kFontDir = fs::path(PAGORA_TEST_DATA_DIR) / "ttf";

Bytes FontBytes(const std::string& file) {
  const std::string text = testing::ReadFileBytes(kFontDir / file);
  return Bytes(text.begin(), text.end());
}

// fontTools' reading of the font, one "key values..." line each; exit code 77 when
// fontTools is missing. Debian's interpreter carries python3-fonttools, so it goes first.
testing::CommandResult OracleMetrics(const fs::path& font, int encoding) {
  const std::string python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  const fs::path script = fs::path(PAGORA_TEST_DATA_DIR) / ".." / "support" / "truetype_metrics.py";
  return testing::RunCommand(python + " " + testing::ShellQuote(script.string()) + " " +
                             testing::ShellQuote(font.string()) + " " + std::to_string(encoding));
}

std::map<std::string, std::string> ParseLines(const std::string& output) {
  std::map<std::string, std::string> values;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    const auto space = line.find(' ');
    if (space != std::string::npos) values[line.substr(0, space)] = line.substr(space + 1);
  }
  return values;
}

std::string Joined(const auto& numbers) {
  std::string text;
  for (const auto n : numbers) text += (text.empty() ? "" : " ") + std::to_string(n);
  return text;
}

TEST(TrueTypeReader, AgreesWithFontToolsOnEveryFont) {
  int fonts = 0;
  for (const auto& entry : fs::directory_iterator(kFontDir)) {
    if (entry.path().extension() != ".ttf") continue;
    ++fonts;
    for (const int encoding : {0, 1}) {
      SCOPED_TRACE(entry.path().filename().string() + " encoding " + std::to_string(encoding));
      const testing::CommandResult oracle = OracleMetrics(entry.path(), encoding);
      if (oracle.exit_code == 77) GTEST_SKIP() << "python3-fonttools is not installed";
      ASSERT_EQ(oracle.exit_code, 0) << oracle.output;
      auto expected = ParseLines(oracle.output);

      const Bytes file = FontBytes(entry.path().filename().string());
      const TrueTypeReadResult result = ReadTrueTypeFont(file, encoding);
      ASSERT_EQ(result.status, TrueTypeStatus::kOk);
      const TrueTypeFont& font = result.font;
      EXPECT_EQ(font.full_name, expected["name"]);
      EXPECT_EQ(std::to_string(font.ascent), expected["ascent"]);
      EXPECT_EQ(std::to_string(font.descent), expected["descent"]);
      EXPECT_EQ(std::to_string(font.weight), expected["weight"]);
      EXPECT_EQ(std::to_string(std::lrint(font.italic_angle * 100)), expected["italic_hundredths"]);
      EXPECT_EQ(std::to_string(font.fixed_pitch), expected["fixed_pitch"]);
      EXPECT_EQ(std::to_string(font.symbolic), expected["symbolic"]);
      EXPECT_EQ(std::to_string(font.max_width), expected["max_width"]);
      EXPECT_EQ(std::to_string(font.avg_width), expected["avg_width"]);
      EXPECT_EQ(std::to_string(font.missing_width), expected["missing_width"]);
      const auto& box = font.bbox;
      EXPECT_EQ(Joined(std::vector{box.x_min, box.y_min, box.x_max, box.y_max}), expected["bbox"]);
      EXPECT_EQ(Joined(font.widths), expected["widths"]);
    }
  }
  EXPECT_GE(fonts, 7);
}

TEST(TrueTypeReader, SymbolFontMapsPrivateUseCodesOntoSingleBytes) {
  const TrueTypeReadResult result = ReadTrueTypeFont(FontBytes("wine-wingding.ttf"), 0);
  ASSERT_EQ(result.status, TrueTypeStatus::kOk);
  const TrueTypeFont& font = result.font;
  EXPECT_TRUE(font.symbolic);
  EXPECT_EQ(font.Flags(), 4);
  // F020 lies in a segment of its own with a non-zero idDelta: masking the code to 0x20
  // before adding the delta would land on a glyph the font does not have.
  EXPECT_EQ(font.widths[0x20], 1000);
  int mapped = 0;
  for (int code = 32; code < 256; ++code) mapped += font.widths[code] != font.missing_width;
  EXPECT_GT(mapped, 40);
}

// Offset of the table directory record of `tag`.
std::size_t DirectoryRecord(const Bytes& file, const char* tag) {
  const std::size_t count = file[4] << 8 | file[5];
  for (std::size_t i = 0; i < count; ++i) {
    if (std::memcmp(&file[12 + 16 * i], tag, 4) == 0) return 12 + 16 * i;
  }
  ADD_FAILURE() << "no table " << tag;
  return 0;
}

std::uint32_t GetU32(const Bytes& file, std::size_t at) {
  return std::uint32_t{file[at]} << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
}

std::size_t TableOffset(const Bytes& file, const char* tag) {
  return GetU32(file, DirectoryRecord(file, tag) + 8);
}

void PutU16(Bytes& file, std::size_t at, unsigned value) {
  file[at] = static_cast<std::uint8_t>(value >> 8);
  file[at + 1] = static_cast<std::uint8_t>(value);
}

void PutU32(Bytes& file, std::size_t at, std::uint32_t value) {
  PutU16(file, at, value >> 16);
  PutU16(file, at + 2, value & 0xFFFF);
}

// Applies `change` to every Windows record of the cmap or name table at `table`.
template <typename Change>
void ForEachWindowsRecord(Bytes& file, std::size_t table, std::size_t first, std::size_t size,
                          Change change) {
  const std::size_t count = file[table + 2] << 8 | file[table + 3];
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = table + first + i * size;
    if (file[record + 1] == 3) change(record);
  }
}

TEST(TrueTypeReader, RefusesDamagedFiles) {
  const Bytes sound = FontBytes("LiberationMono-Regular.ttf");
  const struct {
    const char* damage;
    void (*apply)(Bytes&);
    TrueTypeStatus status;
  } cases[] = {
      {"shorter than the directory header", [](Bytes& f) { f.resize(10); },
       TrueTypeStatus::kTruncated},
      {"directory cut short", [](Bytes& f) { f.resize(12 + 16 * 3); }, TrueTypeStatus::kTruncated},
      {"table offset past the end",
       [](Bytes& f) { PutU32(f, DirectoryRecord(f, "hmtx") + 8, f.size() + 4); },
       TrueTypeStatus::kTableOutsideFile},
      {"table length past the end",
       [](Bytes& f) { PutU32(f, DirectoryRecord(f, "glyf") + 12, 0xFFFFFFF0); },
       TrueTypeStatus::kTableOutsideFile},
      {"no post table", [](Bytes& f) { f[DirectoryRecord(f, "post") + 3] = 'x'; },
       TrueTypeStatus::kMissingTable},
      {"no cmap table", [](Bytes& f) { f[DirectoryRecord(f, "cmap")] = 'x'; },
       TrueTypeStatus::kMissingTable},
      {"OS/2 too short", [](Bytes& f) { PutU32(f, DirectoryRecord(f, "OS/2") + 12, 68); },
       TrueTypeStatus::kBadTable},
      {"unitsPerEm 0", [](Bytes& f) { PutU16(f, TableOffset(f, "head") + 18, 0); },
       TrueTypeStatus::kBadTable},
      {"hmtx shorter than numberOfHMetrics",
       [](Bytes& f) { PutU16(f, TableOffset(f, "hhea") + 34, 0xFFFF); }, TrueTypeStatus::kBadTable},
      {"numberOfHMetrics 0", [](Bytes& f) { PutU16(f, TableOffset(f, "hhea") + 34, 0); },
       TrueTypeStatus::kBadTable},
      {"glyf shorter than loca says",
       [](Bytes& f) { PutU32(f, DirectoryRecord(f, "glyf") + 12, 16); }, TrueTypeStatus::kBadTable},
      {"cmap record count past the table",
       [](Bytes& f) { PutU16(f, TableOffset(f, "cmap") + 2, 0xFFFF); }, TrueTypeStatus::kBadTable},
      {"format-4 segment count past the table",
       [](Bytes& f) {
         const std::size_t cmap = TableOffset(f, "cmap");
         ForEachWindowsRecord(f, cmap, 4, 8, [&](std::size_t record) {
           PutU16(f, cmap + GetU32(f, record + 4) + 6, 0xFFFE);
         });
       },
       TrueTypeStatus::kBadTable},
      {"no Windows character map",
       [](Bytes& f) {
         ForEachWindowsRecord(f, TableOffset(f, "cmap"), 4, 8,
                              [&](std::size_t record) { f[record + 1] = 2; });
       },
       TrueTypeStatus::kNoWindowsCmap},
      {"name record count past the table",
       [](Bytes& f) { PutU16(f, TableOffset(f, "name") + 2, 0xFFFF); }, TrueTypeStatus::kBadTable},
      {"no Windows full name",
       [](Bytes& f) {
         ForEachWindowsRecord(f, TableOffset(f, "name"), 6, 12,
                              [&](std::size_t record) { f[record + 7] = 5; });
       },
       TrueTypeStatus::kNoFontName},
      {"widths past 65535 (unitsPerEm 16)",
       [](Bytes& f) { PutU16(f, TableOffset(f, "head") + 18, 16); }, TrueTypeStatus::kOverflow},
  };
  for (const auto& c : cases) {
    Bytes file = sound;
    c.apply(file);
    EXPECT_EQ(ReadTrueTypeFont(file, 0).status, c.status) << c.damage;
  }
}

TEST(TrueTypeFontRecord, RecordAndDescriptorFollowTheMetrics) {
  const TrueTypeReadResult result =
      ReadTrueTypeFont(FontBytes("LiberationSerif-BoldItalic.ttf"), 1);
  ASSERT_EQ(result.status, TrueTypeStatus::kOk);
  const FontRecord record =
      MakeTrueTypeFontRecord(result.font, ResolveFontRequest("Liberation Serif", 0, 1), 1);
  EXPECT_EQ(record.key, "MACLIBERATIONSERIF");
  EXPECT_TRUE(record.true_type);
  EXPECT_EQ(record.name, "LiberationSerifBoldItalic,BoldItalic");
  EXPECT_EQ(record.height, 891 + 216);
  EXPECT_EQ(record.descent, -216);
  EXPECT_EQ(record.encoding, 1);
  EXPECT_EQ(record.widths, result.font.widths);
  EXPECT_EQ(BuildTrueTypeDescriptor(result.font),
            "/Flags 96 /FontBBox [-178 -268 999 791] /MissingWidth 365 /StemV 120 "
            "/ItalicAngle -16.33 /CapHeight 891 /XHeight  445 /Ascent 891 /Descent -216 "
            "/MaxWidth 1126 /AvgWidth 579");
}

TEST(TrueTypeFontRecord, StyleSuffixFlagsAndStemFollowWeightAngleAndPitch) {
  const struct {
    int weight;
    double angle;
    bool fixed_pitch;
    bool symbolic;
    const char* name;
    int flags;
    int stem_v;
  } cases[] = {
      {400, 0, false, false, "Face", 32, 70},
      {500, 0, true, false, "Face", 33, 70},
      {501, 0, false, false, "Face,Bold", 32, 120},
      {400, -12, false, false, "Face,Italic", 96, 70},
      {700, -12, false, false, "Face,BoldItalic", 96, 120},
      {400, 0.01, true, true, "Face,Italic", 69, 70},
  };
  for (const auto& c : cases) {
    TrueTypeFont font;
    font.full_name = "Face";
    font.weight = c.weight;
    font.italic_angle = c.angle;
    font.fixed_pitch = c.fixed_pitch;
    font.symbolic = c.symbolic;
    EXPECT_EQ(TrueTypeBaseName(font), c.name) << c.weight << " " << c.angle;
    EXPECT_EQ(font.Flags(), c.flags) << c.weight << " " << c.angle;
    EXPECT_EQ(font.StemV(), c.stem_v) << c.weight;
  }
}

}  // namespace
}  // namespace pagora
