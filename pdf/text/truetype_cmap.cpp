// Windows format-4 character maps: choosing one and looking characters up in it.
#include "pdf/text/truetype_cmap.h"

namespace pagora {
namespace {

constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kSymbolEncoding = 0;
constexpr std::uint16_t kUnicodeEncoding = 1;
constexpr std::size_t kRecordSize = 8;
constexpr std::size_t kFormat4HeaderSize = 14;

}  // namespace

CmapChoiceResult ChooseWindowsFormat4(SfntBytes cmap) {
  if (!Holds(cmap, 0, 4)) return {CmapChoice::kBadTable, {}};
  const std::size_t count = ReadU16(cmap, 2);
  if (!Holds(cmap, 4, count * kRecordSize)) return {CmapChoice::kBadTable, {}};
  std::optional<std::size_t> unicode_table;
  std::optional<std::size_t> symbol_table;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = 4 + i * kRecordSize;
    if (ReadU16(cmap, record) != kWindowsPlatform) continue;
    const std::uint16_t encoding = ReadU16(cmap, record + 2);
    if (encoding != kUnicodeEncoding && encoding != kSymbolEncoding) continue;
    const std::size_t offset = ReadU32(cmap, record + 4);
    if (!Holds(cmap, offset, 2)) return {CmapChoice::kBadTable, {}};
    if (ReadU16(cmap, offset) != 4) continue;
    std::optional<std::size_t>& slot = encoding == kUnicodeEncoding ? unicode_table : symbol_table;
    if (!slot) slot = offset;
  }
  if (!unicode_table && !symbol_table) return {CmapChoice::kNone, {}};
  const std::size_t offset = unicode_table ? *unicode_table : *symbol_table;
  if (!Holds(cmap, offset, kFormat4HeaderSize)) return {CmapChoice::kBadTable, {}};
  Format4Map map;
  map.cmap = cmap;
  map.end_codes = offset + kFormat4HeaderSize;
  map.seg_count = ReadU16(cmap, offset + 6) / 2;
  map.symbolic = !unicode_table;
  // endCode, reservedPad, startCode, idDelta, idRangeOffset.
  if (!Holds(cmap, map.end_codes, 8 * map.seg_count + 2)) return {CmapChoice::kBadTable, {}};
  return {CmapChoice::kFound, map};
}

std::uint16_t GlyphOfCharacter(const Format4Map& map, std::uint16_t character) {
  const std::size_t n = map.seg_count;
  const std::size_t start_codes = map.end_codes + 2 * n + 2;
  const std::size_t deltas = start_codes + 2 * n;
  const std::size_t range_offsets = deltas + 2 * n;
  // The segments are sorted by endCode in a sound font; in a damaged one the search still
  // ends on some segment, and the lookup stays inside the table either way.
  std::size_t low = 0;
  std::size_t high = n;
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (ReadU16(map.cmap, map.end_codes + 2 * mid) < character) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (low == n) return 0;
  const std::uint16_t start = ReadU16(map.cmap, start_codes + 2 * low);
  if (character < start) return 0;
  const std::uint16_t delta = ReadU16(map.cmap, deltas + 2 * low);
  const std::size_t range_offset_at = range_offsets + 2 * low;
  const std::uint16_t range_offset = ReadU16(map.cmap, range_offset_at);
  if (range_offset == 0) return static_cast<std::uint16_t>(character + delta);
  // The offset counts from the idRangeOffset entry itself into the glyph-index array.
  const std::size_t entry =
      range_offset_at + range_offset + 2 * static_cast<std::size_t>(character - start);
  if (!Holds(map.cmap, entry, 2)) return 0;
  const std::uint16_t glyph = ReadU16(map.cmap, entry);
  return glyph == 0 ? 0 : static_cast<std::uint16_t>(glyph + delta);
}

}  // namespace pagora
