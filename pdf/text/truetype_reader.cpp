// Metrics of a TrueType font: table directory, global values, widths, box and full name.
#include "pdf/text/truetype_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "pdf/text/sfnt_bytes.h"
#include "pdf/text/single_byte_encoding.h"
#include "pdf/text/truetype_cmap.h"

namespace pagora {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 12;
constexpr std::size_t kDirectoryRecordSize = 16;

// The tables the metrics come from, and the fewest bytes each must hold for the fixed
// fields read from it.
enum TableIndex { kOs2, kHead, kHhea, kHmtx, kGlyf, kLoca, kPost, kName, kCmap, kTableCount };
constexpr std::string_view kTags[kTableCount] = {"OS/2", "head", "hhea", "hmtx", "glyf",
                                                 "loca", "post", "name", "cmap"};
constexpr std::size_t kMinimumSizes[kTableCount] = {78, 54, 36, 0, 0, 0, 16, 6, 4};

// English full names are preferred: United States, United Kingdom, Australia, Canada, New
// Zealand and Ireland.
constexpr std::uint16_t kEnglishLanguages[] = {0x409, 0x809, 0xC09, 0x1009, 0x1409, 0x1809};

struct Tables {
  SfntBytes table[kTableCount];
};

// Nearest integer, halves to even (the default rounding mode).
long Round(double x) {
  return std::lrint(x);
}

TrueTypeStatus FindTables(SfntBytes file, Tables& tables) {
  if (!Holds(file, 0, kDirectoryHeaderSize)) return TrueTypeStatus::kTruncated;
  const std::size_t count = ReadU16(file, 4);
  if (!Holds(file, kDirectoryHeaderSize, count * kDirectoryRecordSize)) {
    return TrueTypeStatus::kTruncated;
  }
  bool found[kTableCount] = {};
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = kDirectoryHeaderSize + i * kDirectoryRecordSize;
    const std::string_view tag(reinterpret_cast<const char*>(file.data() + record), 4);
    const auto known = std::find(std::begin(kTags), std::end(kTags), tag);
    if (known == std::end(kTags)) continue;
    const auto index = static_cast<std::size_t>(known - std::begin(kTags));
    if (found[index]) continue;  // the first of duplicated entries counts
    const std::size_t offset = ReadU32(file, record + 8);
    const std::size_t length = ReadU32(file, record + 12);
    if (!Holds(file, offset, length)) return TrueTypeStatus::kTableOutsideFile;
    tables.table[index] = file.subspan(offset, length);
    found[index] = true;
  }
  for (std::size_t i = 0; i < kTableCount; ++i) {
    if (!found[i]) return TrueTypeStatus::kMissingTable;
    if (tables.table[i].size() < kMinimumSizes[i]) return TrueTypeStatus::kBadTable;
  }
  return TrueTypeStatus::kOk;
}

// Advance widths and outline boxes of glyphs, by glyph index, in font units.
class GlyphMetrics {
 public:
  GlyphMetrics(const Tables& tables, std::size_t h_metrics, bool long_loca)
      : hmtx_(tables.table[kHmtx]),
        loca_(tables.table[kLoca]),
        glyf_(tables.table[kGlyf]),
        h_metrics_(h_metrics),
        loca_entry_size_(long_loca ? 4 : 2) {}

  // Glyphs past the last long metric share its advance width.
  std::uint16_t Advance(std::uint16_t glyph) const {
    return ReadU16(hmtx_, 4 * std::min<std::size_t>(glyph, h_metrics_ - 1));
  }

  // Widens `box` with the glyph's outline box when it is a simple glyph with an outline.
  // False when its loca entries or its header lie outside their tables.
  bool WidenBox(std::uint16_t glyph, std::optional<FontBox>& box) const {
    const std::size_t entry = std::size_t{glyph} * loca_entry_size_;
    // A glyph index past the loca table has no outline to add.
    if (!Holds(loca_, entry, 2 * loca_entry_size_)) return true;
    const std::size_t start = LocaOffset(entry);
    const std::size_t end = LocaOffset(entry + loca_entry_size_);
    if (end == start) return true;  // an empty glyph, such as the space
    if (end < start || end > glyf_.size() || end - start < 10) return false;
    if (ReadI16(glyf_, start) < 0) return true;  // composite glyphs do not count
    const FontBox glyph_box{ReadI16(glyf_, start + 2), ReadI16(glyf_, start + 4),
                            ReadI16(glyf_, start + 6), ReadI16(glyf_, start + 8)};
    if (!box) {
      box = glyph_box;
    } else {
      box->x_min = std::min(box->x_min, glyph_box.x_min);
      box->y_min = std::min(box->y_min, glyph_box.y_min);
      box->x_max = std::max(box->x_max, glyph_box.x_max);
      box->y_max = std::max(box->y_max, glyph_box.y_max);
    }
    return true;
  }

 private:
  std::size_t LocaOffset(std::size_t entry) const {
    return loca_entry_size_ == 4 ? std::size_t{ReadU32(loca_, entry)}
                                 : std::size_t{ReadU16(loca_, entry)} * 2;
  }

  SfntBytes hmtx_;
  SfntBytes loca_;
  SfntBytes glyf_;
  std::size_t h_metrics_;
  std::size_t loca_entry_size_;
};

// The glyph that code `code` draws through `map`.
std::uint16_t GlyphOfCode(const Format4Map& map, std::uint8_t code, std::int32_t encoding) {
  if (!map.symbolic) return GlyphOfCharacter(map, UnicodeOfCode(code, encoding));
  // Symbol fonts put their single-byte codes in the private-use page F000-F0FF; a few map
  // the plain codes instead.
  const std::uint16_t glyph = GlyphOfCharacter(map, static_cast<std::uint16_t>(0xF000 + code));
  return glyph != 0 ? glyph : GlyphOfCharacter(map, code);
}

// The full name: the first Windows name ID 4 record in `name_encoding`, or the first
// such record in English when there is one.
TrueTypeStatus ReadFullName(SfntBytes name, std::uint16_t name_encoding, std::string& full) {
  constexpr std::size_t kRecordSize = 12;
  const std::size_t count = ReadU16(name, 2);
  const std::size_t storage = ReadU16(name, 4);
  if (!Holds(name, 6, count * kRecordSize)) return TrueTypeStatus::kBadTable;
  std::optional<std::size_t> chosen;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = 6 + i * kRecordSize;
    if (ReadU16(name, record) != 3 || ReadU16(name, record + 2) != name_encoding ||
        ReadU16(name, record + 6) != 4) {
      continue;
    }
    const std::uint16_t language = ReadU16(name, record + 4);
    const bool english = std::find(std::begin(kEnglishLanguages), std::end(kEnglishLanguages),
                                   language) != std::end(kEnglishLanguages);
    if (!chosen || english) chosen = record;
    if (english) break;
  }
  if (!chosen) return TrueTypeStatus::kNoFontName;
  const std::size_t length = ReadU16(name, *chosen + 8);
  const std::size_t offset = storage + ReadU16(name, *chosen + 10);
  if (!Holds(name, offset, length)) return TrueTypeStatus::kBadTable;
  full.clear();
  full.reserve(length / 2);
  // UTF-16 big-endian, reduced to the low byte of each character.
  for (std::size_t i = 1; i < length; i += 2) {
    const char c = static_cast<char>(name[offset + i]);
    if (c != ' ' && c != '\0') full += c;
  }
  return full.empty() ? TrueTypeStatus::kNoFontName : TrueTypeStatus::kOk;
}

TrueTypeStatus ReadMetrics(SfntBytes file, std::int32_t encoding, TrueTypeFont& font) {
  Tables tables;
  if (const TrueTypeStatus status = FindTables(file, tables); status != TrueTypeStatus::kOk) {
    return status;
  }
  const SfntBytes head = tables.table[kHead];
  const SfntBytes hhea = tables.table[kHhea];
  const SfntBytes os2 = tables.table[kOs2];
  const SfntBytes post = tables.table[kPost];

  const std::uint16_t units_per_em = ReadU16(head, 18);
  if (units_per_em == 0) return TrueTypeStatus::kBadTable;
  const double scale = 1000.0 / units_per_em;
  const bool long_loca = ReadI16(head, 50) != 0;
  font.avg_width = static_cast<int>(Round(ReadI16(os2, 2) * scale));
  font.ascent = static_cast<int>(Round(ReadU16(os2, 74) * scale));
  font.descent = static_cast<int>(Round(-ReadU16(os2, 76) * scale));
  font.weight = ReadU16(os2, 4);
  font.max_width = static_cast<int>(Round(ReadU16(hhea, 10) * scale));
  // A 16.16 fixed number, whose fraction this engine has always divided by 65535.
  const double angle = ReadI16(post, 4) + ReadU16(post, 6) / 65535.0;
  font.italic_angle = static_cast<double>(Round(angle * 100)) / 100;
  font.fixed_pitch = ReadU32(post, 12) != 0;

  const std::size_t h_metrics = ReadU16(hhea, 34);
  if (h_metrics == 0 || !Holds(tables.table[kHmtx], 0, 4 * h_metrics)) {
    return TrueTypeStatus::kBadTable;
  }
  const GlyphMetrics glyphs(tables, h_metrics, long_loca);
  font.missing_width = static_cast<int>(Round(glyphs.Advance(0) * scale));

  const CmapChoiceResult cmap = ChooseWindowsFormat4(tables.table[kCmap]);
  if (cmap.choice == CmapChoice::kBadTable) return TrueTypeStatus::kBadTable;
  if (cmap.choice == CmapChoice::kNone) return TrueTypeStatus::kNoWindowsCmap;
  font.symbolic = cmap.map.symbolic;

  std::optional<FontBox> box;
  for (int code = 0; code < 256; ++code) {
    const std::uint16_t glyph = GlyphOfCode(cmap.map, static_cast<std::uint8_t>(code), encoding);
    const long width = Round(glyphs.Advance(glyph) * scale);
    if (width > 0xFFFF) return TrueTypeStatus::kOverflow;
    font.widths[static_cast<std::size_t>(code)] = static_cast<std::uint16_t>(width);
    if (!glyphs.WidenBox(glyph, box)) return TrueTypeStatus::kBadTable;
  }
  if (box) {
    font.bbox = {
        static_cast<int>(Round(box->x_min * scale)), static_cast<int>(Round(box->y_min * scale)),
        static_cast<int>(Round(box->x_max * scale)), static_cast<int>(Round(box->y_max * scale))};
  }
  if (font.Height() > 0x7FFF) return TrueTypeStatus::kOverflow;
  return ReadFullName(tables.table[kName], font.symbolic ? 0 : 1, font.full_name);
}

}  // namespace

int TrueTypeFont::Flags() const {
  return (Italic() ? 64 : 0) + (fixed_pitch ? 1 : 0) + (symbolic ? 4 : 32);
}

TrueTypeReadResult ReadTrueTypeFont(std::span<const std::uint8_t> file, std::int32_t encoding) {
  TrueTypeReadResult result;
  result.status = ReadMetrics(file, encoding, result.font);
  return result;
}

}  // namespace pagora
