#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Inputs for the Deflate benchmarks, generated so no large file needs committing: running
// text, PDF content streams as the engine writes them, raw RGB pixels and random bytes.
namespace pagora::bench {

enum class Corpus { kText, kContent, kPixels, kRandom };
inline constexpr std::array<std::string_view, 4> kCorpusNames = {"text", "content", "pixels",
                                                                 "random"};

inline constexpr std::size_t kCorpusBytes = 1 << 20;

// Words drawn with a Zipf-like law, in sentences and paragraphs.
inline std::vector<std::uint8_t> MakeText(std::mt19937& rng) {
  static constexpr std::string_view kWords[] = {"the",         "of",        "and",
                                                "to",          "in",        "a",
                                                "is",          "that",      "for",
                                                "it",          "as",        "was",
                                                "with",        "be",        "by",
                                                "on",          "not",       "he",
                                                "this",        "are",       "or",
                                                "his",         "from",      "at",
                                                "which",       "but",       "have",
                                                "an",          "had",       "they",
                                                "you",         "were",      "their",
                                                "one",         "all",       "we",
                                                "can",         "her",       "has",
                                                "there",       "been",      "if",
                                                "more",        "when",      "will",
                                                "would",       "who",       "so",
                                                "no",          "building",  "works",
                                                "site",        "permit",    "contractor",
                                                "director",    "council",   "renovation",
                                                "common",      "parts",     "safety",
                                                "coordinator", "designer",  "subcontractor",
                                                "technical",   "historic",  "centre",
                                                "outskirts",   "quarter",   "billboard",
                                                "record",      "document",  "page",
                                                "printed",     "address",   "street",
                                                "number",      "date",      "start",
                                                "end",         "programme", "subsidised",
                                                "city",        "shared",    "file",
                                                "window",      "field",     "value",
                                                "class",       "area",      "picture",
                                                "logo",        "metre",     "wide",
                                                "high",        "default",   "viewer",
                                                "system",      "engine",    "stream",
                                                "object",      "font"};
  std::vector<double> weights;
  for (std::size_t i = 0; i < std::size(kWords); ++i) weights.push_back(1.0 / (1.0 + i));
  std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
  std::string text;
  bool sentence_start = true;
  while (text.size() < kCorpusBytes) {
    std::string word(kWords[pick(rng)]);
    if (sentence_start) word[0] = static_cast<char>(word[0] - 'a' + 'A');
    text += word;
    sentence_start = rng() % 12 == 0;
    if (sentence_start) {
      text += rng() % 6 == 0 ? ".\n\n" : ". ";
    } else {
      text += rng() % 9 == 0 ? ", " : " ";
    }
  }
  text.resize(kCorpusBytes);
  return {text.begin(), text.end()};
}

// Operator lines separated by CR, with the three-decimal numbers the engine writes.
inline std::vector<std::uint8_t> MakeContent(std::mt19937& rng) {
  std::uniform_real_distribution<double> coordinate(0.0, 2800.0);
  auto number = [&] {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", coordinate(rng));
    std::string text(buffer);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
  };
  static constexpr std::string_view kTexts[] = {"(Comune di Vesola) Tj", "(Lavori di) Tj",
                                                "(Direttore dei lavori) Tj", "(Impresa) Tj",
                                                "(Concessione edilizia n.) Tj"};
  std::string content;
  auto add = [&](std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) content += piece;
  };
  while (content.size() < kCorpusBytes) {
    switch (rng() % 6) {
      case 0:
        add({"\r", number(), " ", number(), " ", number(), " ", number(), " re\rf"});
        break;
      case 1:
        add({"\r", number(), " ", number(), " m\r", number(), " ", number(), " l\rS"});
        break;
      case 2:
        add({"\rBT\r/F", std::to_string(1 + rng() % 4), " ", std::to_string(8 + rng() % 40),
             " Tf\r", number(), " ", number(), " Td\r", kTexts[rng() % 5], "\rET"});
        break;
      case 3:
        add({"\r", std::to_string(rng() % 2), " ", std::to_string(rng() % 2), " 0 rg"});
        break;
      case 4:
        add({"\rq\r", number(), " 0 0 ", number(), " ", number(), " ", number(), " cm\r/Im",
             std::to_string(1 + rng() % 4), " Do\rQ"});
        break;
      default:
        add({"\r", number(), " w\r[", std::to_string(1 + rng() % 5), "] 0 d"});
        break;
    }
  }
  content.resize(kCorpusBytes);
  return {content.begin(), content.end()};
}

// A photograph-like RGB image: smooth shading with sensor noise, and flat logo areas.
inline std::vector<std::uint8_t> MakePixels(std::mt19937& rng) {
  constexpr int kWidth = 1024;
  const int height = static_cast<int>(kCorpusBytes / (3 * kWidth)) + 1;
  std::normal_distribution<double> noise(0.0, 2.0);
  std::vector<std::uint8_t> pixels;
  pixels.reserve(kCorpusBytes);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool logo = (x / 128 + y / 64) % 5 == 0;
      for (int channel = 0; channel < 3; ++channel) {
        double value =
            logo ? 40.0 * channel + 60.0
                 : 128 + 80 * std::sin(x * 0.01 + channel) * std::cos(y * 0.013) + noise(rng);
        pixels.push_back(static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0)));
      }
    }
  }
  pixels.resize(kCorpusBytes);
  return pixels;
}

inline std::vector<std::uint8_t> MakeCorpus(Corpus corpus) {
  std::mt19937 rng(20261207);
  switch (corpus) {
    case Corpus::kText:
      return MakeText(rng);
    case Corpus::kContent:
      return MakeContent(rng);
    case Corpus::kPixels:
      return MakePixels(rng);
    case Corpus::kRandom:
      break;
  }
  std::vector<std::uint8_t> bytes(kCorpusBytes);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(rng());
  return bytes;
}

}  // namespace pagora::bench
