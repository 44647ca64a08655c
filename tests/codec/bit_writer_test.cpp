#include "pdf/codec/bit_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pagora::deflate {
namespace {

// Fields packed bit by bit, least significant first: what the writer must produce.
class ReferenceBits {
 public:
  void Put(std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) {
      if (used_ % 8 == 0) bytes_.push_back(0);
      bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | ((value >> i) & 1) << (used_ % 8));
      ++used_;
    }
  }
  void Align() { used_ = (used_ + 7) / 8 * 8; }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t used_ = 0;
};

// Random fields through every entry point: single fields, batches of up to 56 bits before
// one flush, byte alignment and whole bytes, with an estimate far too short so the
// vector must grow mid-stream.
TEST(BitWriter, PacksFieldsAsTheBitByBitReference) {
  std::mt19937 random(3);
  for (const std::size_t estimate : {0, 5, 100000}) {
    std::vector<std::uint8_t> out = {0xAA};  // bytes before the writer's start stay
    ReferenceBits reference;
    BitWriter writer(out, estimate);
    for (int step = 0; step < 5000; ++step) {
      switch (random() % 4) {
        case 0: {
          const int count = static_cast<int>(random() % 33);
          const std::uint32_t value =
              count == 0 ? 0 : static_cast<std::uint32_t>(random()) >> (32 - count);
          writer.PutBits(value, count);
          reference.Put(value, count);
          break;
        }
        case 1: {
          int room = BitWriter::kRoomAfterFlush;
          while (room > 0) {
            const int count = std::min(room, 1 + static_cast<int>(random() % 15));
            const std::uint64_t value = random() & ((std::uint64_t{1} << count) - 1);
            writer.AddBits(value, count);
            reference.Put(value, count);
            room -= count;
          }
          writer.Flush();
          break;
        }
        case 2:
          writer.AlignToByte();
          reference.Align();
          break;
        default: {
          writer.AlignToByte();
          reference.Align();
          std::vector<std::uint8_t> bytes(random() % 20);
          for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
          writer.PutBytes(bytes);
          for (const std::uint8_t b : bytes) reference.Put(b, 8);
        }
      }
    }
    writer.Finish();
    std::vector<std::uint8_t> expected = {0xAA};
    expected.insert(expected.end(), reference.bytes().begin(), reference.bytes().end());
    EXPECT_EQ(out, expected) << estimate;
  }
}

}  // namespace
}  // namespace pagora::deflate
