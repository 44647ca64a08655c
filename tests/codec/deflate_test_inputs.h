#pragma once

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

// Inputs of the shapes a PDF stream takes, for round-trip tests of the Deflate encoder.
namespace pagora::testing {

enum class InputShape { kRandom, kFewSymbols, kRuns, kWords, kRepeatedBlocks, kCounters };
inline constexpr InputShape kAllShapes[] = {InputShape::kRandom,         InputShape::kFewSymbols,
                                            InputShape::kRuns,           InputShape::kWords,
                                            InputShape::kRepeatedBlocks, InputShape::kCounters};

inline std::vector<std::uint8_t> MakeInput(InputShape shape, std::size_t size, std::mt19937& rng) {
  std::vector<std::uint8_t> out;
  out.reserve(size);
  auto byte = [&](int bound) {
    return static_cast<std::uint8_t>(rng() % static_cast<unsigned>(bound));
  };
  switch (shape) {
    case InputShape::kRandom:
      while (out.size() < size) out.push_back(byte(256));
      break;
    case InputShape::kFewSymbols: {
      const int symbols = 2 + static_cast<int>(rng() % 4);
      while (out.size() < size) out.push_back(static_cast<std::uint8_t>('a' + byte(symbols)));
      break;
    }
    case InputShape::kRuns:
      while (out.size() < size) out.insert(out.end(), 1 + rng() % 300, byte(256));
      break;
    case InputShape::kWords: {
      static constexpr std::string_view kWords[] = {
          "cantiere ", "lavori ",     "0 0 1 rg ", "BT ", "/F1 12 Tf ", "(Direttore) Tj ",
          "ET\r",      "72.5 700 m ", "re f\n",    "q ",  "Q "};
      while (out.size() < size) {
        const std::string_view word = kWords[rng() % std::size(kWords)];
        out.insert(out.end(), word.begin(), word.end());
      }
      break;
    }
    case InputShape::kRepeatedBlocks: {
      std::vector<std::uint8_t> block(1 + rng() % 600);
      for (auto& b : block) b = byte(256);
      while (out.size() < size) {
        out.insert(out.end(), block.begin(), block.end());
        block[rng() % block.size()] = byte(256);  // drift, so copies differ a little
      }
      break;
    }
    case InputShape::kCounters:
      for (std::uint32_t i = 0; out.size() < size; i += 1 + rng() % 3) {
        out.push_back(static_cast<std::uint8_t>(i >> 8));
        out.push_back(static_cast<std::uint8_t>(i));
      }
      break;
  }
  out.resize(size);
  return out;
}

}  // namespace pagora::testing
