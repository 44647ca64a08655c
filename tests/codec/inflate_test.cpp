#include "pdf/codec/inflate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pdf/codec/bit_writer.h"
#include "pdf/codec/deflate_tables.h"
#include "pdf/codec/huffman_code.h"
#include "tests/codec/deflate_test_inputs.h"
#include "tests/codec/zlib_oracle.h"

namespace pagora {

void PrintTo(InflateStatus status, std::ostream* out) {
  static constexpr const char* kNames[] = {"kOk", "kInvalidData", "kTruncated", "kTooLarge"};
  *out << kNames[static_cast<int>(status)];
}

namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::OutcomeOf;
using testing::ZlibOutcome;

Bytes ToBytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::string ToString(const Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

Bytes ReadTestFile(const std::string& name) {
  std::ifstream in(std::string(PAGORA_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Decodes with both decoders and expects the same outcome and the same bytes.
InflateResult InflateLikeZlib(const Bytes& stream, std::size_t limit = std::size_t{1} << 26) {
  InflateResult ours = InflateBytes(stream, limit);
  const testing::ZlibRawResult zlib = testing::ZlibRawInflate(stream, limit);
  EXPECT_EQ(OutcomeOf(ours.status), zlib.outcome);
  EXPECT_TRUE(ours.bytes == zlib.bytes) << ours.bytes.size() << " bytes vs " << zlib.bytes.size();
  return ours;
}

// Hand-made Deflate streams: header fields least significant bit first, Huffman codes in
// the bit order they are sent.
class StreamWriter {
 public:
  StreamWriter& Bits(std::uint32_t value, int count) {
    writer_.PutBits(value, count);
    return *this;
  }
  StreamWriter& Code(deflate::HuffmanCode code) { return Bits(code.bits, code.length); }
  StreamWriter& Stored(bool final, const Bytes& data) {
    Bits(final, 1).Bits(0, 2);
    writer_.AlignToByte();
    const auto length = static_cast<std::uint32_t>(data.size());
    Bits(length, 16).Bits(~length & 0xFFFF, 16);
    writer_.PutBytes(data);
    return *this;
  }
  Bytes Finish() {
    writer_.Finish();
    return bytes_;
  }

 private:
  Bytes bytes_;
  deflate::BitWriter writer_{bytes_, 64};
};

std::vector<deflate::HuffmanCode> CodesOf(const Bytes& lengths) {
  std::vector<deflate::HuffmanCode> codes(lengths.size());
  EXPECT_TRUE(deflate::FlateAssignCodes(lengths, codes));
  return codes;
}

const std::vector<deflate::HuffmanCode>& FixedLiteralCodes() {
  static const auto codes = [] {
    Bytes lengths(288);
    for (int symbol = 0; symbol < 288; ++symbol) {
      lengths[symbol] = static_cast<std::uint8_t>(deflate::FixedLiteralLengthBits(symbol));
    }
    return CodesOf(lengths);
  }();
  return codes;
}

// A fixed-code block of literal/length symbols; a length symbol is followed by a pair
// (distance symbol, extra bits value) and its own extra bits value is always zero.
StreamWriter& FixedBlock(StreamWriter& w, bool final, std::initializer_list<int> symbols,
                         std::initializer_list<std::pair<int, int>> distances = {}) {
  w.Bits(final, 1).Bits(1, 2);
  auto distance = distances.begin();
  for (const int symbol : symbols) {
    w.Code(FixedLiteralCodes()[symbol]);
    if (symbol <= deflate::kEndOfBlock || symbol >= 286) continue;
    w.Bits(0, deflate::kLengthExtraBits[symbol - 257]);
    const auto [distance_symbol, extra] = *distance++;
    w.Code(CodesOf(Bytes(32, 5))[distance_symbol]);
    if (distance_symbol < 30) w.Bits(extra, deflate::kDistanceExtraBits[distance_symbol]);
  }
  return w;
}

// Lengths of an alphabet of `size` symbols: 0 but for the (symbol, length) pairs given.
Bytes Lengths(std::size_t size, std::initializer_list<std::pair<int, int>> set) {
  Bytes lengths(size);
  for (const auto& [symbol, length] : set) lengths[symbol] = static_cast<std::uint8_t>(length);
  return lengths;
}

// A dynamic block header whose code-length code gives 2 bits to the repeat symbols 16-18
// and 6 bits to the lengths 0-15. `sequence` lists code-length symbols with their extra
// bits value.
StreamWriter& DynamicHeader(StreamWriter& w, bool final, int literal_count, int distance_count,
                            const std::vector<std::pair<int, int>>& sequence) {
  w.Bits(final, 1).Bits(2, 2).Bits(literal_count - 257, 5).Bits(distance_count - 1, 5).Bits(15, 4);
  Bytes precode_lengths(19, 6);
  for (int symbol = 16; symbol < 19; ++symbol) precode_lengths[symbol] = 2;
  for (const std::uint8_t symbol : deflate::kCodeLengthOrder) w.Bits(precode_lengths[symbol], 3);
  const auto precode = CodesOf(precode_lengths);
  for (const auto& [symbol, extra] : sequence) {
    w.Code(precode[symbol]).Bits(extra, deflate::CodeLengthExtraBits(symbol));
  }
  return w;
}

// The same, sending every length as it is.
StreamWriter& DynamicHeader(StreamWriter& w, bool final, const Bytes& literal_lengths,
                            const Bytes& distance_lengths) {
  std::vector<std::pair<int, int>> sequence;
  for (const std::uint8_t length : literal_lengths) sequence.emplace_back(length, 0);
  for (const std::uint8_t length : distance_lengths) sequence.emplace_back(length, 0);
  return DynamicHeader(w, final, static_cast<int>(literal_lengths.size()),
                       static_cast<int>(distance_lengths.size()), sequence);
}

TEST(InflateTest, DecodesWhatZlibEncodesAtEveryLevel) {
  std::vector<std::pair<std::string, Bytes>> inputs = {
      {"empty", {}},
      {"page content", ReadTestFile("inflate/gropdf-page1-content.txt")},
      {"gif file", ReadTestFile("gif/perltk-earth-87a.gif")}};
  std::mt19937 rng(21);
  for (const testing::InputShape shape : testing::kAllShapes) {
    for (const std::size_t size : {1u, 300u, 100000u}) {
      inputs.emplace_back(
          "shape " + std::to_string(static_cast<int>(shape)) + " size " + std::to_string(size),
          testing::MakeInput(shape, size, rng));
    }
  }
  for (const auto& [name, input] : inputs) {
    ASSERT_FALSE(name != "empty" && input.empty()) << name << " is missing";
    for (int level = 0; level <= 9; ++level) {
      for (const int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_RLE, Z_HUFFMAN_ONLY}) {
        if (strategy != Z_DEFAULT_STRATEGY && level != 6) continue;
        const InflateResult result = InflateBytes(testing::ZlibRawDeflate(input, level, strategy));
        EXPECT_EQ(result.status, InflateStatus::kOk) << name << " level " << level;
        EXPECT_TRUE(result.bytes == input)
            << name << " level " << level << " strategy " << strategy;
      }
    }
  }
}

TEST(InflateTest, CutStreamsGiveWhatZlibGives) {
  std::mt19937 rng(7);
  const Bytes content = ReadTestFile("inflate/gropdf-page1-content.txt");
  for (const int level : {0, 1, 6}) {
    const Bytes stream = testing::ZlibRawDeflate(content, level);
    for (std::size_t cut = 0; cut < stream.size(); cut += 1 + rng() % 37) {
      const Bytes prefix(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
      EXPECT_EQ(InflateLikeZlib(prefix).status, InflateStatus::kTruncated) << cut;
    }
  }
}

TEST(InflateTest, StopsAtTheOutputLimit) {
  std::mt19937 rng(3);
  const Bytes input = testing::MakeInput(testing::InputShape::kWords, 10000, rng);
  for (const int level : {0, 6}) {
    const Bytes stream = testing::ZlibRawDeflate(input, level);
    for (const std::size_t limit : {0u, 1u, 4000u, 9999u, 10000u, 10001u}) {
      const InflateResult result = InflateLikeZlib(stream, limit);
      EXPECT_EQ(result.status, limit < 10000 ? InflateStatus::kTooLarge : InflateStatus::kOk);
      EXPECT_TRUE(std::equal(result.bytes.begin(), result.bytes.end(), input.begin()));
    }
  }
}

struct Case {
  std::string name;
  Bytes stream;
  InflateStatus status;
  Bytes expected;
};

std::vector<Case> ValidCases() {
  std::vector<Case> cases;
  cases.push_back({"one stored final block",
                   StreamWriter().Stored(true, ToBytes("Pagora")).Finish(), InflateStatus::kOk,
                   ToBytes("Pagora")});
  StreamWriter abc;
  FixedBlock(abc, true, {'a', 'b', 'c', 271, 256}, {{2, 0}});  // length 27, distance 3
  std::string thirty;
  for (int i = 0; i < 10; ++i) thirty += "abc";
  cases.push_back({"fixed abc x10", abc.Finish(), InflateStatus::kOk, ToBytes(thirty)});
  StreamWriter empty;
  cases.push_back(
      {"empty final fixed block", FixedBlock(empty, true, {256}).Finish(), InflateStatus::kOk, {}});

  // 'a' to 'm' take 1 to 13 bits, length symbol 257 takes 14, 'o' and the end 15; the
  // distance code is a lone one-bit code.
  Bytes literal_lengths(257 + 1);
  for (int i = 0; i < 13; ++i) literal_lengths['a' + i] = static_cast<std::uint8_t>(i + 1);
  literal_lengths[257] = 14;
  literal_lengths['o'] = 15;
  literal_lengths[256] = 15;
  StreamWriter long_codes;
  DynamicHeader(long_codes, true, literal_lengths, {1});
  const auto codes = CodesOf(literal_lengths);
  for (int symbol = 'a'; symbol <= 'm'; ++symbol) long_codes.Code(codes[symbol]);
  long_codes.Code(codes[257]).Bits(0, 1).Code(codes['o']).Code(codes[256]);
  cases.push_back(
      {"15-bit codes", long_codes.Finish(), InflateStatus::kOk, ToBytes("abcdefghijklmmmmo")});

  // Distance codes of 1 to 9 bits: symbol 9 (distances 25 to 32) takes 9.
  const Bytes two_letters = Lengths(258, {{'a', 2}, {'b', 2}, {256, 2}, {257, 2}});
  const Bytes distance_lengths = {1, 2, 3, 4, 5, 6, 7, 8, 9, 9};
  StreamWriter long_distance;
  DynamicHeader(long_distance, true, two_letters, distance_lengths);
  const std::string letters = "abbabaaabbbabbaabababbbaaababb";
  for (const char letter : letters) long_distance.Code(CodesOf(two_letters)[letter]);
  long_distance.Code(CodesOf(two_letters)[257]).Code(CodesOf(distance_lengths)[9]).Bits(4, 3);
  long_distance.Code(CodesOf(two_letters)[256]);
  cases.push_back({"9-bit distance code", long_distance.Finish(), InflateStatus::kOk,
                   ToBytes(letters + letters.substr(1, 3))});  // distance 29

  StreamWriter lone_end;
  DynamicHeader(lone_end, true, Lengths(257, {{256, 1}}), {0}).Bits(0, 1);
  cases.push_back({"lone end-of-block code", lone_end.Finish(), InflateStatus::kOk, {}});

  Bytes with_trailer = testing::ZlibRawDeflate(ToBytes("content stream"), 6);
  const Bytes trailer = ToBytes("\x29\x8B\x05\x8Egarbage");
  with_trailer.insert(with_trailer.end(), trailer.begin(), trailer.end());
  cases.push_back({"Adler-32 and garbage after the end", with_trailer, InflateStatus::kOk,
                   ToBytes("content stream")});

  std::mt19937 rng(65535);
  const Bytes block = testing::MakeInput(testing::InputShape::kRandom, 65535, rng);
  cases.push_back({"stored block of 65535 bytes", StreamWriter().Stored(true, block).Finish(),
                   InflateStatus::kOk, block});

  // 32768 stored bytes, then 258 bytes copied from 32768 back: symbol 29 with 13 extra bits.
  const Bytes window = testing::MakeInput(testing::InputShape::kRandom, 32768, rng);
  StreamWriter far;
  far.Stored(false, window);
  FixedBlock(far, true, {285, 256}, {{29, 8191}});
  Bytes far_expected = window;
  far_expected.insert(far_expected.end(), window.begin(), window.begin() + 258);
  cases.push_back({"distance 32768", far.Finish(), InflateStatus::kOk, far_expected});
  return cases;
}

std::vector<Case> InvalidCases() {
  std::vector<Case> cases;
  const InflateStatus kInvalid = InflateStatus::kInvalidData;
  const InflateStatus kTruncated = InflateStatus::kTruncated;
  auto add = [&](std::string name, StreamWriter& w, InflateStatus status, std::string_view out) {
    cases.push_back({std::move(name), w.Finish(), status, ToBytes(out)});
  };
  StreamWriter w[20];
  add("block type 3", w[0].Bits(1, 1).Bits(3, 2), kInvalid, "");
  cases.push_back(
      {"stored NLEN not the complement", {0x01, 0x05, 0x00, 0x05, 0x00, 'a'}, kInvalid, {}});
  cases.push_back({"stored block cut short",
                   {0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b'},
                   kTruncated,
                   ToBytes("ab")});
  cases.push_back({"no input", {}, kTruncated, {}});
  add("no final block", w[2].Stored(false, ToBytes("ab")), kTruncated, "ab");
  add("ends inside a fixed block", FixedBlock(w[3], true, {'a', 'b'}), kTruncated, "ab");
  add("distance before the start", FixedBlock(w[4], true, {'a', 257, 256}, {{1, 0}}), kInvalid,
      "a");
  add("literal/length symbol 286", FixedBlock(w[5], true, {'a', 286}), kInvalid, "a");
  add("distance symbol 30", FixedBlock(w[6], true, {'a', 257}, {{30, 0}}), kInvalid, "a");
  add("287 literal/length codes", w[7].Bits(0b10'1, 3).Bits(30, 5).Bits(0, 9).Bits(0, 16), kInvalid,
      "");
  add("31 distance codes", w[8].Bits(0b10'1, 3).Bits(0, 5).Bits(30, 5).Bits(0, 4).Bits(0, 16),
      kInvalid, "");
  w[9].Bits(0b10'1, 3).Bits(0, 5).Bits(0, 5).Bits(15, 4);
  for (int i = 0; i < 19; ++i) w[9].Bits(1, 3);
  add("over-subscribed code-length code", w[9].Bits(0, 16), kInvalid, "");
  add("incomplete code-length code",
      w[10].Bits(0b10'1, 3).Bits(0, 5).Bits(0, 5).Bits(0, 4).Bits(0b001'000'000, 9).Bits(0, 19),
      kInvalid, "");
  add("repeat with no length before", DynamicHeader(w[11], true, 257, 1, {{16, 0}}), kInvalid, "");
  add("repeat past the last length",
      DynamicHeader(w[12], true, 257, 1, {{18, 127}, {18, 127}, {16, 0}}), kInvalid, "");
  add("no end-of-block code", DynamicHeader(w[13], true, Lengths(257, {{'a', 1}, {'b', 1}}), {1}),
      kInvalid, "");
  add("over-subscribed literal/length code",
      DynamicHeader(w[14], true, Lengths(257, {{'a', 1}, {'b', 1}, {256, 1}}), {1}), kInvalid, "");
  add("incomplete literal/length code",
      DynamicHeader(w[15], true, Lengths(257, {{'a', 2}, {256, 2}}), {1}), kInvalid, "");
  add("incomplete distance code beyond one bit",
      DynamicHeader(w[16], true, Lengths(257, {{'a', 1}, {256, 1}}), {2, 2, 2}), kInvalid, "");
  const Bytes no_distances = Lengths(258, {{'a', 1}, {256, 2}, {257, 2}});
  DynamicHeader(w[17], true, no_distances, {0});
  const auto codes = CodesOf(no_distances);
  add("match with an empty distance code", w[17].Code(codes['a']).Code(codes[257]), kInvalid, "a");
  add("unused half of a lone code",
      DynamicHeader(w[18], true, Lengths(257, {{256, 1}}), {0}).Bits(1, 1), kInvalid, "");
  return cases;
}

TEST(InflateTest, EdgeStreams) {
  for (const Case& c : ValidCases()) {
    SCOPED_TRACE(c.name);
    const InflateResult result = InflateLikeZlib(c.stream);
    EXPECT_EQ(result.status, c.status);
    EXPECT_TRUE(result.bytes == c.expected) << ToString(result.bytes);
  }
}

TEST(InflateTest, InvalidStreamsAreRefusedWithWhatCameBefore) {
  for (const Case& c : InvalidCases()) {
    SCOPED_TRACE(c.name);
    const InflateResult result = InflateLikeZlib(c.stream);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(ToString(result.bytes), ToString(c.expected));
  }
}

}  // namespace
}  // namespace pagora
