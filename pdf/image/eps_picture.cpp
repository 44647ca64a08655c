#include "pdf/image/eps_picture.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "pdf/core/number_format.h"

namespace pagora {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The four numbers of a bounding box comment's rest, or nothing when it holds fewer
// ("(atend)" and the like).
std::optional<std::array<float, 4>> ParseBox(std::string_view rest) {
  std::array<float, 4> box{};
  for (float& value : box) {
    rest = Trim(rest);
    std::size_t length = 0;
    while (length < rest.size() && !IsBlank(rest[length])) ++length;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value);
    if (error != std::errc() || end != rest.data() + length) return std::nullopt;
    rest.remove_prefix(length);
  }
  return box;
}

bool IsNumber(std::string_view token) {
  if (!token.empty() && (token[0] == '-' || token[0] == '+')) token.remove_prefix(1);
  bool digits = false;
  bool point = false;
  for (const char c : token) {
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// What stands before an operator, when it is only numbers and at most one leading array
// of numbers (a dash pattern). Anything else (a string, a procedure, a name) is PostScript
// the page's content must not receive: a lone "(" would swallow every line after it.
struct Operands {
  int count = 0;  // an array counts as one
  bool starts_with_array = false;
};

std::optional<Operands> ParseOperands(std::string_view text) {
  Operands operands;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    if (text[i] == '[') {
      if (operands.count != 0) return std::nullopt;
      const std::size_t close = text.find(']', i);
      if (close == std::string_view::npos) return std::nullopt;
      std::string_view inside = text.substr(i + 1, close - i - 1);
      while (!(inside = Trim(inside)).empty()) {
        std::size_t length = 0;
        while (length < inside.size() && !IsBlank(inside[length])) ++length;
        if (!IsNumber(inside.substr(0, length))) return std::nullopt;
        inside.remove_prefix(length);
      }
      operands.starts_with_array = true;
      i = close + 1;
    } else {
      std::size_t end = i;
      while (end < text.size() && !IsBlank(text[end]) && text[end] != '[') ++end;
      if (!IsNumber(text.substr(i, end - i))) return std::nullopt;
      i = end;
    }
    ++operands.count;
  }
  return operands;
}

bool IsOneOf(char c, std::string_view set) {
  return set.find(c) != std::string_view::npos;
}

// The one-letter operators, by what becomes of them.
constexpr std::string_view kPassedOperators = "mlvyckKgGJjwMdn";
constexpr std::string_view kStrokeOperators = "sS";
constexpr std::string_view kSmoothPointOperators = "YNLCV";  // Illustrator's; lower-cased
constexpr std::string_view kFillOperators = "fFbB";
constexpr std::string_view kSegmentOperators = "lvycLVYC";
constexpr std::string_view kPaintOperators = "nNsSfFbB";

// How many numbers a one-letter operator takes; -1 for any (a fill's are dropped).
int OperandCount(char op) {
  if (IsOneOf(op, "nNsS")) return 0;
  if (IsOneOf(op, "gGJjwM")) return 1;
  if (IsOneOf(op, "mlLd")) return 2;
  if (IsOneOf(op, "kKvVyY")) return 4;
  if (IsOneOf(op, "cC")) return 6;
  return -1;
}

class EpsTranslator {
 public:
  explicit EpsTranslator(std::vector<std::string>& lines) : lines_(lines) {}

  // Translates one drawing line, already trimmed and not empty.
  void Translate(std::string_view line) {
    const std::size_t n = line.size();
    if (n == 1 || IsBlank(line[n - 2])) {
      const auto operands = ParseOperands(line.substr(0, n - 1));
      const char op = line.back();
      const int count = OperandCount(op);
      if (!operands || (count >= 0 && operands->count != count)) return;
      // Only a dash pattern takes an array, and always as its first operand.
      if (operands->starts_with_array != (op == 'd')) return;
      TranslateOneLetter(line);
    } else if (n == 2 || IsBlank(line[n - 3])) {
      const auto operands = ParseOperands(line.substr(0, n - 2));
      if (!operands || operands->starts_with_array) return;
      const std::string_view op = line.substr(n - 2);
      if (op == "Xa" && operands->count == 3) {
        lines_.push_back(std::string(line.substr(0, n - 2)) + "rg");
      } else if (op == "XR" && operands->count == 1) {
        lines_.push_back(std::string(line.substr(0, n - 2)) + "G");
      }
    }
  }

 private:
  void TranslateOneLetter(std::string_view line) {
    const char op = line.back();
    // A segment needs a current point; PostScript procedures that reuse these letters
    // (gnuplot's "L" is a relative line) would otherwise give segments from nowhere.
    if (IsOneOf(op, kSegmentOperators) && !current_point_) return;
    if (op == 'm') current_point_ = true;
    if (IsOneOf(op, kPaintOperators)) current_point_ = false;

    if (IsOneOf(op, kPassedOperators)) {
      lines_.emplace_back(line);
      StartPath();
    } else if (IsOneOf(op, kStrokeOperators)) {
      if (!painted_) lines_.emplace_back(line);
    } else if (IsOneOf(op, kSmoothPointOperators)) {
      lines_.emplace_back(line);
      lines_.back().back() = static_cast<char>(op - 'A' + 'a');
      StartPath();
    } else if (IsOneOf(op, kFillOperators)) {
      // Even-odd, and once: Illustrator may fill one path twice.
      if (pending_ && !painted_) {
        lines_.push_back(op == 'f' || op == 'F' ? std::string("f*") : std::string(1, op) + "*");
      }
      painted_ = true;
    }
  }

  void StartPath() {
    pending_ = true;
    painted_ = false;
  }

  std::vector<std::string>& lines_;
  bool pending_ = false;  // a path was begun, or a state set, since the start
  bool painted_ = false;  // and it was filled since
  bool current_point_ = false;
};

// The placement and the flip of the box into the page's y-down space, after "q".
VectorPictureStatus AppendBoxTransform(const std::array<float, 4>& box,
                                       const PicturePlacement& placement,
                                       std::vector<std::string>& lines) {
  const float box_width = box[2] - box[0];
  const float box_height = box[3] - box[1];
  lines.emplace_back("q");
  const VectorPictureStatus status = AppendPlacementMatrix(box_width, box_height, placement, lines);
  if (status != VectorPictureStatus::kOk) return status;
  try {
    lines.push_back("1 0 0 -1 " + FormatNumber(-box[0]) + " " + FormatNumber(box_height + box[1]) +
                    " cm");
  } catch (const RuntimeError&) {
    return VectorPictureStatus::kOverflow;
  }
  return VectorPictureStatus::kOk;
}

}  // namespace

VectorPicture TranslateEpsPicture(std::span<const std::uint8_t> file,
                                  const PicturePlacement& placement) {
  const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
  VectorPicture picture;
  std::vector<std::string>& lines = picture.lines;
  EpsTranslator translator(lines);
  std::optional<std::array<float, 4>> box;
  bool drawing = false;

  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;

    if (!drawing) {
      if (line.starts_with("%%BoundingBox:") && !box) {
        box = ParseBox(line.substr(14));
      } else if (line.starts_with("%%EndSetup") || line.starts_with("%%EndProlog")) {
        // The transform must come before the first drawing line, or the drawing lands
        // unscaled and upside down.
        if (!box) return {VectorPictureStatus::kNoBoundingBox, {}};
        const VectorPictureStatus status = AppendBoxTransform(*box, placement, lines);
        if (status != VectorPictureStatus::kOk) return {status, {}};
        drawing = true;
      }
      continue;
    }
    if (line.starts_with("%%PageTrailer")) break;
    const std::string_view trimmed = Trim(line);
    if (trimmed == "showpage" || trimmed.ends_with(" showpage") ||
        trimmed.ends_with("\tshowpage")) {
      break;
    }
    if (trimmed.empty() || trimmed[0] == '%' || trimmed[0] == '/' || trimmed[0] == '(') continue;
    translator.Translate(trimmed);
  }
  if (drawing) lines.emplace_back("Q");
  return picture;
}

}  // namespace pagora
