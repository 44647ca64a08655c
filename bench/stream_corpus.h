#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Deterministic stream data of the shapes the engine writes, for the encoder benchmarks:
// prose, page content operators, image samples and incompressible bytes.
namespace pagora::bench {

enum class CorpusShape { kText, kPdfContent, kImage, kRandom };
inline constexpr CorpusShape kCorpusShapes[] = {CorpusShape::kText, CorpusShape::kPdfContent,
                                                CorpusShape::kImage, CorpusShape::kRandom};

inline const char* ShapeName(CorpusShape shape) {
  switch (shape) {
    case CorpusShape::kText:
      return "text";
    case CorpusShape::kPdfContent:
      return "pdf content";
    case CorpusShape::kImage:
      return "image bytes";
    case CorpusShape::kRandom:
      return "random";
  }
  return "";
}

namespace detail {

inline void AppendText(std::vector<std::uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

// Italian prose from a small vocabulary, with punctuation and line breaks.
inline void FillText(std::vector<std::uint8_t>& out, std::size_t size, std::mt19937& random) {
  static const char* const kWords[] = {
      "il",           "cantiere",  "lavori",    "di",        "ristrutturazione",
      "delle",        "parti",     "comuni",    "edificio",  "impresa",
      "esecutrice",   "direttore", "dei",       "sicurezza", "progetto",
      "coordinatore", "permesso",  "costruire", "via",       "Comune",
      "inizio",       "fine",      "per",       "la",        "con",
      "nel",          "\xE8",      "citt\xE0",  "centro",    "storico"};
  std::size_t words_in_sentence = 0;
  while (out.size() < size) {
    AppendText(out, kWords[random() % std::size(kWords)]);
    if (++words_in_sentence > 6 + random() % 10) {
      AppendText(out, random() % 4 == 0 ? ".\r\n" : ". ");
      words_in_sentence = 0;
    } else {
      AppendText(out, random() % 9 == 0 ? ", " : " ");
    }
  }
}

// Content stream operator lines, each preceded by CR, with three-decimal numbers.
inline void FillPdfContent(std::vector<std::uint8_t>& out, std::size_t size, std::mt19937& random) {
  auto number = [&out, &random] {
    const unsigned thousandths = random() % 800000;
    AppendText(out, std::to_string(thousandths / 1000));
    if (thousandths % 1000 != 0) {
      AppendText(out, ".");
      AppendText(out, std::to_string(thousandths % 1000));
    }
    AppendText(out, " ");
  };
  while (out.size() < size) {
    AppendText(out, "\r");
    switch (random() % 5) {
      case 0:
        number();
        number();
        AppendText(out, "m\r");
        number();
        number();
        AppendText(out, "l\rS");
        break;
      case 1:
        number();
        number();
        number();
        number();
        AppendText(out, "re\rf");
        break;
      case 2:
        AppendText(out, "BT\r/F1 12 Tf\r");
        number();
        number();
        AppendText(out, "Td\r(Direttore dei lavori) Tj\rET");
        break;
      case 3:
        AppendText(out, "0.2 0.4 0.6 rg\r1 0 0 RG\r");
        number();
        AppendText(out, "w");
        break;
      default:
        AppendText(out, "q\r");
        number();
        AppendText(out, "0 0 ");
        number();
        AppendText(out, "0 0 cm\r/Im1 Do\rQ");
        break;
    }
  }
}

// RGB samples of a picture: smooth gradients, flat areas and a little sensor noise.
inline void FillImage(std::vector<std::uint8_t>& out, std::size_t size, std::mt19937& random) {
  constexpr int kWidth = 640;
  for (std::size_t pixel = 0; out.size() < size; ++pixel) {
    const int x = static_cast<int>(pixel % kWidth);
    const int y = static_cast<int>(pixel / kWidth);
    const bool flat = (x / 80 + y / 60) % 5 == 0;
    const int noise = flat ? 0 : static_cast<int>(random() % 5) - 2;
    out.push_back(static_cast<std::uint8_t>(flat ? 240 : (x + noise) & 255));
    out.push_back(static_cast<std::uint8_t>(flat ? 240 : (y + noise) & 255));
    out.push_back(static_cast<std::uint8_t>(flat ? 200 : ((x + y) / 2 + noise) & 255));
  }
}

}  // namespace detail

// `size` bytes of the given shape; the same bytes on every call.
inline std::vector<std::uint8_t> MakeCorpus(CorpusShape shape, std::size_t size) {
  std::mt19937 random(2024);
  std::vector<std::uint8_t> out;
  out.reserve(size + 256);
  switch (shape) {
    case CorpusShape::kText:
      detail::FillText(out, size, random);
      break;
    case CorpusShape::kPdfContent:
      detail::FillPdfContent(out, size, random);
      break;
    case CorpusShape::kImage:
      detail::FillImage(out, size, random);
      break;
    case CorpusShape::kRandom:
      while (out.size() < size) out.push_back(static_cast<std::uint8_t>(random()));
      break;
  }
  out.resize(size);
  return out;
}

}  // namespace pagora::bench
