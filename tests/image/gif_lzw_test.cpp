#include "pdf/image/gif_lzw.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/image/gif_builder.h"

namespace pagora {
namespace {

using testing::LiteralLzw;
using testing::LzwCodeStream;

constexpr std::uint8_t kUntouched = 0xEE;

// Decodes into exactly `room` pixels plus the slack, so that any write past it is caught.
std::vector<std::uint8_t> Decode(std::span<const std::uint8_t> data, int min_code_size,
                                 std::size_t room) {
  std::vector<std::uint8_t> out(room + kGifLzwSlack, kUntouched);
  const std::size_t count = DecodeGifLzw(data, min_code_size, out);
  EXPECT_LE(count, room);
  out.resize(count);
  return out;
}

std::vector<std::uint8_t> RandomPixels(std::size_t count, int highest, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> pixel(0, highest);
  std::vector<std::uint8_t> pixels(count);
  for (auto& p : pixels) p = static_cast<std::uint8_t>(pixel(random));
  return pixels;
}

TEST(GifLzwTest, LiteralStreamsAcrossEveryCodeWidth) {
  struct Case {
    int min_code_size;
    int highest_pixel;
    std::size_t count;
  };
  for (const Case c : {Case{1, 1, 50}, Case{2, 3, 9000}, Case{3, 7, 300}, Case{4, 15, 10000},
                       Case{7, 127, 5000}, Case{8, 255, 20000}, Case{11, 255, 9000}}) {
    SCOPED_TRACE(c.min_code_size);
    const auto pixels = RandomPixels(c.count, c.highest_pixel, c.min_code_size);
    EXPECT_EQ(Decode(LiteralLzw(pixels, c.min_code_size), c.min_code_size, c.count), pixels);
  }
}

TEST(GifLzwTest, CodeDefinedByItsOwnUseRepeatsThePreviousOutput) {
  LzwCodeStream stream(2);
  stream.Clear();
  stream.Put(1);  // 1
  stream.Put(6);  // defines 6 = 1 1 while using it
  stream.Put(7);  // defines 7 = 1 1 1 while using it
  stream.Put(2);  // 2, defines 8 = 1 1 1 2
  stream.Put(8);
  const std::vector<std::uint8_t> expected = {1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 2};
  EXPECT_EQ(Decode(stream.FinishWithEnd(), 2, 100), expected);
}

// An encoder may fill the dictionary and go on without a clear code: code 4095 is then a
// defined string and the dictionary stays frozen, with 12-bit codes.
TEST(GifLzwTest, FullDictionaryDefinesCode4095AndFreezes) {
  const int kFirstFree = 258;
  const std::size_t literals = 4096 - kFirstFree + 1;
  auto pixels = RandomPixels(literals, 255, 4095);
  LzwCodeStream stream(8);
  stream.Clear();
  for (const auto p : pixels) stream.Put(p);
  ASSERT_EQ(stream.next_free(), 4096u);
  // With literal codes only, code c stands for pixels c - 258 and c - 257.
  std::vector<std::uint8_t> expected = pixels;
  for (const std::uint32_t code : {4095u, 300u, 4000u}) {
    stream.Put(code);
    expected.push_back(pixels[code - kFirstFree]);
    expected.push_back(pixels[code - kFirstFree + 1]);
  }
  stream.Put(9);  // a literal still works, and defines nothing
  expected.push_back(9);
  stream.Clear();  // back to 9-bit codes
  for (const std::uint8_t p : {4, 5, 6}) {
    stream.Put(p);
    expected.push_back(p);
  }
  stream.Put(258);  // the first entry after the clear: 4 5
  expected.insert(expected.end(), {4, 5});
  EXPECT_EQ(Decode(stream.FinishWithEnd(), 8, 10000), expected);
}

TEST(GifLzwTest, StopsAtCodesNoEncoderSends) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> codes;  // after a clear code, min code size 2
    std::vector<std::uint8_t> expected;
  };
  const Case cases[] = {
      {"undefined code", {1, 7, 1}, {1}},  // the next free code is 6
      {"entry code first after clear", {6, 1}, {}},
      {"end code first", {5, 1}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LzwCodeStream stream(2);
    stream.Clear();
    for (const auto code : c.codes) stream.Put(code);
    std::vector<std::uint8_t> out(10 + kGifLzwSlack, kUntouched);
    const std::size_t count = DecodeGifLzw(stream.FinishWithEnd(), 2, out);
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + count), c.expected);
    EXPECT_EQ(out[count], kUntouched);
  }
}

TEST(GifLzwTest, TruncatedDataGivesAPrefixOfThePixels) {
  const auto pixels = RandomPixels(3000, 15, 3);
  // Runs make long dictionary strings, which must be cut cleanly too.
  std::vector<std::uint8_t> runs;
  for (const auto p : pixels) runs.insert(runs.end(), p % 5 + 1, p);
  for (const auto& input : {pixels, runs}) {
    const auto full = LiteralLzw(input, 4);
    for (std::size_t cut = 0; cut <= full.size(); cut += 7) {
      const auto decoded = Decode(std::span(full).first(cut), 4, input.size());
      ASSERT_TRUE(std::equal(decoded.begin(), decoded.end(), input.begin())) << cut;
    }
  }
}

TEST(GifLzwTest, SurplusPixelsAreDropped) {
  LzwCodeStream stream(2);
  stream.Clear();
  for (int i = 0; i < 40; ++i) stream.Put(stream.next_free() > 6 ? stream.next_free() - 1 : 3);
  const auto data = stream.FinishWithEnd();
  for (const std::size_t room : {0, 1, 2, 5, 17}) {
    EXPECT_EQ(Decode(data, 2, room), std::vector<std::uint8_t>(room, 3));
  }
}

TEST(GifLzwTest, LiteralWiderThanAByteIsIndexZero) {
  LzwCodeStream stream(11);
  stream.Clear();
  for (const std::uint32_t code : {5u, 300u, 2047u, 6u}) stream.Put(code);
  const std::vector<std::uint8_t> expected = {5, 0, 0, 6};
  EXPECT_EQ(Decode(stream.FinishWithEnd(), 11, 10), expected);
}

}  // namespace
}  // namespace pagora
