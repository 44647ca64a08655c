#include "pdf/codec/deflate_encoder.h"

#include <algorithm>
#include <array>

#include "pdf/codec/adler32.h"
#include "pdf/codec/bit_writer.h"
#include "pdf/codec/deflate_block.h"
#include "pdf/codec/lz77_pass.h"

namespace pagora {

namespace {

// CMF 0x78: Deflate with a 32 KiB window; FLG 0x5E: the default-compression hint, no
// preset dictionary, and check bits that make 0x785E a multiple of 31.
constexpr std::array<std::uint8_t, 2> kZlibHeader = {0x78, 0x5E};
constexpr std::size_t kTrailerBytes = 4;

}  // namespace

std::vector<std::uint8_t> FlateEncode(std::span<const std::uint8_t> input, int level) {
  using namespace deflate;
  const EffortRow& row = kEffortRows[static_cast<std::size_t>(std::clamp(level, 0, 3))];
  const Lz77Result pass = FindMatches(input, row);

  DynamicCodes dynamic;
  const bool dynamic_built = BuildDynamicCodes(pass, dynamic);
  const BlockSizes sizes = MeasureBlocks(input.size(), pass, dynamic_built ? &dynamic : nullptr);
  const BlockType type = ChooseBlockType(sizes);

  std::uint64_t block_bytes = sizes.stored + 5 * (input.size() / 65535);
  if (type == BlockType::kFixed) block_bytes = sizes.fixed;
  if (type == BlockType::kDynamic) block_bytes = sizes.dynamic;

  std::vector<std::uint8_t> out;
  out.reserve(kZlibHeader.size() + block_bytes + kTrailerBytes + 8);
  out.assign(kZlibHeader.begin(), kZlibHeader.end());
  BitWriter writer(out, block_bytes);
  switch (type) {
    case BlockType::kStored:
      WriteStoredBlocks(input, writer);
      break;
    case BlockType::kFixed:
      WriteFixedBlock(input, pass, writer);
      break;
    case BlockType::kDynamic:
      WriteDynamicBlock(input, pass, dynamic, writer);
      break;
  }
  writer.Finish();

  const std::uint32_t checksum = Adler32(input);
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(checksum >> shift));
  return out;
}

}  // namespace pagora
