// Deflate decoding (RFC 1951) with tables indexed by the next input bits.
//
// Huffman blocks are decoded by two loops. The fast loop runs while at least eight input
// bytes remain and the output has room for a whole match plus the copy's overrun: it
// refills the bit buffer once per round without bounds checks, and one refill holds
// enough bits for a length code, its extra bits, a distance code and its extra bits
// (15 + 5 + 15 + 13 = 48 of the 56 guaranteed), or for two literals. Near the end of the
// input or of the output, one symbol at a time is decoded by the careful step, which
// checks every bit and every byte it writes, so a truncated or oversized stream stops
// exactly where its last whole symbol ends.
#include "pdf/codec/inflate.h"

#include <algorithm>
#include <array>
#include <memory>

#include "pdf/codec/deflate_tables.h"
#include "pdf/codec/inflate_bit_reader.h"
#include "pdf/codec/inflate_match_copy.h"
#include "pdf/codec/inflate_tables.h"

namespace pagora {
namespace {

using inflate::Alphabet;
using inflate::BitReader;
using inflate::EntryBits;
using inflate::EntryValue;
using inflate::EntryValueWithExtra;

constexpr std::size_t kMaxMatch = deflate::kMaxMatchLength;
constexpr std::size_t kFastOutputRoom = kMaxMatch + inflate::kMatchCopyOverrun;
constexpr std::uint64_t kLiteralLengthMask = (1u << inflate::kLiteralLengthBits) - 1;
constexpr std::uint64_t kDistanceMask = (1u << inflate::kDistanceBits) - 1;

// The entry for the next code of a table: the first-level entry, or the second-level one
// behind it, in which case `skipped` is set to the first level's index width. A
// second-level entry counts its bits from after those.
inline std::uint32_t LookUp(const std::uint32_t* table, std::uint64_t first_level_mask,
                            std::uint64_t bits, unsigned& skipped) {
  std::uint32_t entry = table[bits & first_level_mask];
  skipped = 0;
  if (entry & inflate::kSubtable) {
    skipped = EntryBits(entry);
    const std::uint64_t mask = (std::uint64_t{1} << inflate::EntryCodeLength(entry)) - 1;
    entry = table[EntryValue(entry) + ((bits >> skipped) & mask)];
  }
  return entry;
}

struct HuffmanTables {
  const std::uint32_t* literal_length;
  const std::uint32_t* distance;
};

// Tables of the dynamic blocks, allocated on the first one and reused by the next.
struct DynamicTables {
  std::array<std::uint32_t, inflate::kLiteralLengthTableSize> literal_length;
  std::array<std::uint32_t, inflate::kDistanceTableSize> distance;
  std::array<std::uint32_t, inflate::kCodeLengthTableSize> code_length;
};

class Inflater {
 public:
  Inflater(std::span<const std::uint8_t> data, std::size_t max_output)
      : in_(data), max_output_(max_output) {
    // A first guess at the ratio; the buffer grows geometrically beyond it.
    out_.resize(std::min(max_output, data.size() * 4 + 1024));
  }

  InflateResult Run() {
    InflateStatus status = InflateStatus::kOk;
    unsigned header = 0;
    do {
      if (!in_.Read(3, header)) {
        status = InflateStatus::kTruncated;
        break;
      }
      switch (header >> 1) {
        case 0:
          status = StoredBlock();
          break;
        case 1: {
          const inflate::FixedTables& fixed = inflate::GetFixedTables();
          status = HuffmanBlock({fixed.literal_length, fixed.distance});
          break;
        }
        case 2:
          status = DynamicBlock();
          break;
        default:
          status = InflateStatus::kInvalidData;
          break;
      }
    } while (status == InflateStatus::kOk && (header & 1) == 0);
    out_.resize(produced_);
    return {status, std::move(out_)};
  }

 private:
  InflateStatus StoredBlock();
  InflateStatus DynamicBlock();
  InflateStatus ReadCodeLengths(std::span<std::uint8_t> lengths);
  InflateStatus HuffmanBlock(HuffmanTables tables);
  enum class FastExit { kEndOfBlock, kInvalid, kLimit };
  FastExit FastLoop(HuffmanTables tables);
  InflateStatus CarefulStep(HuffmanTables tables, bool& end_of_block);

  // Grows the output buffer so that `wanted` more bytes fit, up to the caller's limit.
  // Returns how many of them fit.
  std::size_t MakeRoom(std::size_t wanted) {
    const std::size_t target = produced_ + std::min(wanted, max_output_ - produced_);
    if (target > out_.size()) {
      out_.resize(std::min(max_output_, std::max(target, out_.size() * 2)));
    }
    return target - produced_;
  }

  BitReader in_;
  std::size_t max_output_;
  // Sized ahead of the bytes produced: the fast loop writes into the spare room.
  std::vector<std::uint8_t> out_;
  std::size_t produced_ = 0;
  std::unique_ptr<DynamicTables> dynamic_;
};

InflateStatus Inflater::StoredBlock() {
  in_.AlignToByte();
  const std::span<const std::uint8_t> rest = in_.Rest();
  if (rest.size() < 4) return InflateStatus::kTruncated;
  const unsigned length = rest[0] | rest[1] << 8;
  const unsigned length_complement = rest[2] | rest[3] << 8;
  if (length != (~length_complement & 0xFFFF)) return InflateStatus::kInvalidData;
  const std::size_t available = std::min<std::size_t>(length, rest.size() - 4);
  const std::size_t copied = MakeRoom(available);
  std::copy_n(rest.begin() + 4, copied, out_.begin() + static_cast<std::ptrdiff_t>(produced_));
  produced_ += copied;
  in_.Skip(4 + copied);
  if (copied < available) return InflateStatus::kTooLarge;
  return available < length ? InflateStatus::kTruncated : InflateStatus::kOk;
}

InflateStatus Inflater::DynamicBlock() {
  unsigned literal_count = 0;
  unsigned distance_count = 0;
  unsigned code_length_count = 0;
  if (!in_.Read(5, literal_count) || !in_.Read(5, distance_count) ||
      !in_.Read(4, code_length_count)) {
    return InflateStatus::kTruncated;
  }
  literal_count += 257;
  distance_count += 1;
  code_length_count += 4;
  // The header can count up to 288 and 32 codes, but symbols past 285 and 29 mean nothing.
  if (literal_count > 286 || distance_count > 30) return InflateStatus::kInvalidData;

  if (!dynamic_) dynamic_ = std::make_unique_for_overwrite<DynamicTables>();
  std::array<std::uint8_t, deflate::kCodeLengthSymbols> code_length_lengths{};
  for (unsigned i = 0; i < code_length_count; ++i) {
    unsigned length = 0;
    if (!in_.Read(3, length)) return InflateStatus::kTruncated;
    code_length_lengths[deflate::kCodeLengthOrder[i]] = static_cast<std::uint8_t>(length);
  }
  if (!inflate::BuildDecodeTable(code_length_lengths, Alphabet::kCodeLength,
                                 dynamic_->code_length)) {
    return InflateStatus::kInvalidData;
  }

  std::array<std::uint8_t, 286 + 30> lengths{};
  const std::span<std::uint8_t> used(lengths.data(), literal_count + distance_count);
  if (const InflateStatus status = ReadCodeLengths(used); status != InflateStatus::kOk) {
    return status;
  }
  // A block must be able to end.
  if (lengths[deflate::kEndOfBlock] == 0) return InflateStatus::kInvalidData;
  if (!inflate::BuildDecodeTable(used.first(literal_count), Alphabet::kLiteralLength,
                                 dynamic_->literal_length) ||
      !inflate::BuildDecodeTable(used.subspan(literal_count), Alphabet::kDistance,
                                 dynamic_->distance)) {
    return InflateStatus::kInvalidData;
  }
  return HuffmanBlock({dynamic_->literal_length.data(), dynamic_->distance.data()});
}

// Reads the literal/length and distance code lengths, which form one sequence: a repeat
// may run from one list into the other.
InflateStatus Inflater::ReadCodeLengths(std::span<std::uint8_t> lengths) {
  std::size_t filled = 0;
  while (filled < lengths.size()) {
    in_.Refill();
    const std::uint32_t entry =
        dynamic_->code_length[in_.bits() & (inflate::kCodeLengthTableSize - 1)];
    if (EntryBits(entry) > in_.count()) return InflateStatus::kTruncated;
    in_.Drop(EntryBits(entry));
    const unsigned symbol = EntryValue(entry);
    if (symbol < deflate::kRepeatPrevious) {
      lengths[filled++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    unsigned repeat = 0;
    if (!in_.Read(static_cast<unsigned>(deflate::CodeLengthExtraBits(static_cast<int>(symbol))),
                  repeat)) {
      return InflateStatus::kTruncated;
    }
    std::uint8_t value = 0;
    if (symbol == deflate::kRepeatPrevious) {
      if (filled == 0) return InflateStatus::kInvalidData;
      value = lengths[filled - 1];
      repeat += 3;
    } else {
      repeat += symbol == deflate::kRepeatZero3 ? 3 : 11;
    }
    if (repeat > lengths.size() - filled) return InflateStatus::kInvalidData;
    std::fill_n(lengths.begin() + static_cast<std::ptrdiff_t>(filled), repeat, value);
    filled += repeat;
  }
  return InflateStatus::kOk;
}

InflateStatus Inflater::HuffmanBlock(HuffmanTables tables) {
  for (;;) {
    switch (FastLoop(tables)) {
      case FastExit::kEndOfBlock:
        return InflateStatus::kOk;
      case FastExit::kInvalid:
        return InflateStatus::kInvalidData;
      case FastExit::kLimit:
        break;
    }
    if (in_.CanRefillFast() && MakeRoom(kFastOutputRoom) == kFastOutputRoom) continue;
    bool end_of_block = false;
    const InflateStatus status = CarefulStep(tables, end_of_block);
    if (status != InflateStatus::kOk || end_of_block) return status;
  }
}

Inflater::FastExit Inflater::FastLoop(HuffmanTables tables) {
  if (out_.size() < kFastOutputRoom || !in_.CanRefillFast()) return FastExit::kLimit;
  BitReader in = in_;
  std::uint8_t* const out_begin = out_.data();
  std::uint8_t* const out_fast_end = out_begin + (out_.size() - kFastOutputRoom);
  std::uint8_t* out = out_begin + produced_;
  FastExit exit = FastExit::kLimit;
  // Each round ends with a refill and the lookup of the next symbol's first-level entry,
  // which the match copy then overlaps; leaving at the top loses nothing.
  in.RefillFast();
  std::uint32_t entry = tables.literal_length[in.bits() & kLiteralLengthMask];
  while (out <= out_fast_end && in.CanRefillFast()) {
    if (entry & inflate::kSubtable) {
      in.Drop(EntryBits(entry));
      entry = tables.literal_length[EntryValue(entry) +
                                    (in.bits() & ((1u << inflate::EntryCodeLength(entry)) - 1))];
    }
    if (entry & inflate::kLiteral) {
      in.Drop(EntryBits(entry));
      *out++ = static_cast<std::uint8_t>(EntryValue(entry));
      // At least 41 bits are left: enough for a second literal before refilling. A
      // refill only adds bits above those the entry was looked up with.
      entry = tables.literal_length[in.bits() & kLiteralLengthMask];
      if (entry & inflate::kLiteral) {
        in.Drop(EntryBits(entry));
        *out++ = static_cast<std::uint8_t>(EntryValue(entry));
        in.RefillFast();
        entry = tables.literal_length[in.bits() & kLiteralLengthMask];
      } else {
        in.RefillFast();
      }
      continue;
    }
    if (entry & inflate::kKindMask) {
      if (entry & inflate::kEndOfBlock) {
        in.Drop(EntryBits(entry));
        exit = FastExit::kEndOfBlock;
      } else {
        exit = FastExit::kInvalid;
      }
      break;
    }
    const std::size_t length = EntryValueWithExtra(entry, in.bits());
    in.Drop(EntryBits(entry));

    unsigned skipped;
    entry = LookUp(tables.distance, kDistanceMask, in.bits(), skipped);
    in.Drop(skipped);
    if (entry & inflate::kInvalid) {
      exit = FastExit::kInvalid;
      break;
    }
    const std::size_t distance = EntryValueWithExtra(entry, in.bits());
    in.Drop(EntryBits(entry));
    if (distance > static_cast<std::size_t>(out - out_begin)) {
      exit = FastExit::kInvalid;
      break;
    }
    in.RefillFast();
    entry = tables.literal_length[in.bits() & kLiteralLengthMask];
    inflate::CopyMatch(out, distance, length);
    out += length;
  }
  in_ = in;
  produced_ = static_cast<std::size_t>(out - out_begin);
  return exit;
}

// Decodes one literal, match or end of block, checking that its bits are all there and
// that its bytes fit under the limit.
InflateStatus Inflater::CarefulStep(HuffmanTables tables, bool& end_of_block) {
  in_.Refill();
  unsigned skipped;
  std::uint32_t entry = LookUp(tables.literal_length, kLiteralLengthMask, in_.bits(), skipped);
  if (skipped + EntryBits(entry) > in_.count()) return InflateStatus::kTruncated;
  if (entry & inflate::kInvalid) return InflateStatus::kInvalidData;
  in_.Drop(skipped);
  if (entry & inflate::kLiteral) {
    in_.Drop(EntryBits(entry));
    if (MakeRoom(1) == 0) return InflateStatus::kTooLarge;
    out_[produced_++] = static_cast<std::uint8_t>(EntryValue(entry));
    return InflateStatus::kOk;
  }
  if (entry & inflate::kEndOfBlock) {
    in_.Drop(EntryBits(entry));
    end_of_block = true;
    return InflateStatus::kOk;
  }
  const std::size_t length = EntryValueWithExtra(entry, in_.bits());
  in_.Drop(EntryBits(entry));

  in_.Refill();
  entry = LookUp(tables.distance, kDistanceMask, in_.bits(), skipped);
  if (skipped + EntryBits(entry) > in_.count()) return InflateStatus::kTruncated;
  if (entry & inflate::kInvalid) return InflateStatus::kInvalidData;
  in_.Drop(skipped);
  const std::size_t distance = EntryValueWithExtra(entry, in_.bits());
  in_.Drop(EntryBits(entry));
  if (distance > produced_) return InflateStatus::kInvalidData;

  const std::size_t copied = MakeRoom(length);
  for (std::size_t i = 0; i < copied; ++i, ++produced_) {
    out_[produced_] = out_[produced_ - distance];
  }
  return copied < length ? InflateStatus::kTooLarge : InflateStatus::kOk;
}

}  // namespace

InflateResult InflateBytes(std::span<const std::uint8_t> data, std::size_t max_output) {
  return Inflater(data, max_output).Run();
}

}  // namespace pagora
