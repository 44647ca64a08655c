#include "pdf/import/stream_filters.h"

#include <limits>

#include "pdf/codec/inflate.h"
#include "pdf/import/parse_text.h"

namespace pagora {
namespace {

bool IsFlate(std::string_view name) {
  return name == "/FlateDecode" || name == "/Fl";
}
bool IsLzw(std::string_view name) {
  return name == "/LZWDecode" || name == "/LZW";
}

int IntegerEntry(std::string_view dictionary, std::string_view key, int fallback) {
  const PdfValue value = LookupKey(dictionary, key);
  if (value.kind != ValueKind::kNumber) return fallback;
  constexpr double kLimit = std::numeric_limits<int>::max();
  if (value.number > kLimit || value.number < -kLimit) return fallback;
  return static_cast<int>(value.number);
}

FilterStep StepWithParms(std::string name, std::string_view parms) {
  FilterStep step;
  step.name = std::move(name);
  if (parms.empty()) return step;
  step.predictor.predictor = IntegerEntry(parms, "Predictor", 1);
  step.predictor.colors = IntegerEntry(parms, "Colors", 1);
  step.predictor.bits_per_component = IntegerEntry(parms, "BitsPerComponent", 8);
  step.predictor.columns = IntegerEntry(parms, "Columns", 1);
  step.early_change = IntegerEntry(parms, "EarlyChange", 1) != 0;
  return step;
}

// Flate data normally carries a two-byte zlib header (and a checksum the decoder never
// reaches); a few writers store raw Deflate, which has no such header.
PdfStatus Inflate(std::span<const std::uint8_t> data, std::size_t max_output,
                  std::vector<std::uint8_t>& out) {
  if (data.size() >= 2 && (data[0] & 0x0F) == 8 && (data[0] >> 4) <= 7 &&
      (data[0] << 8 | data[1]) % 31 == 0) {
    if ((data[1] & 0x20) != 0) return PdfStatus::kMalformed;  // a preset dictionary
    data = data.subspan(2);
  }
  InflateResult result = InflateBytes(data, max_output);
  if (result.status == InflateStatus::kTooLarge) return PdfStatus::kTooLarge;
  if (result.status != InflateStatus::kOk) return PdfStatus::kMalformed;
  out = std::move(result.bytes);
  return PdfStatus::kOk;
}

PdfStatus FromFilter(FilterResult&& result, std::vector<std::uint8_t>& out) {
  switch (result.status) {
    case FilterStatus::kOk:
      out = std::move(result.bytes);
      return PdfStatus::kOk;
    case FilterStatus::kTooLarge:
      return PdfStatus::kTooLarge;
    default:
      return PdfStatus::kMalformed;
  }
}

PdfStatus ApplyStep(std::span<const std::uint8_t> data, const FilterStep& step,
                    std::size_t max_output, std::vector<std::uint8_t>& out) {
  const std::string_view name = step.name;
  PdfStatus status;
  if (IsFlate(name)) {
    status = Inflate(data, max_output, out);
  } else if (IsLzw(name)) {
    status = FromFilter(DecodeLzw(data, step.early_change, max_output), out);
  } else if (name == "/ASCIIHexDecode" || name == "/AHx") {
    return FromFilter(DecodeAsciiHex(data, max_output), out);
  } else if (name == "/ASCII85Decode" || name == "/A85") {
    return FromFilter(DecodeAscii85(data, max_output), out);
  } else if (name == "/RunLengthDecode" || name == "/RL") {
    return FromFilter(DecodeRunLength(data, max_output), out);
  } else {
    return PdfStatus::kUnsupportedFilter;
  }
  if (status != PdfStatus::kOk || step.predictor.predictor == 1) return status;
  return FromFilter(UndoPredictor(out, step.predictor), out);
}

// True for the filters the engine decodes: Flate, LZW, ASCIIHex, ASCII85 and RunLength,
// under their full or abbreviated names.
bool IsDecodableFilter(std::string_view name) {
  return IsFlate(name) || IsLzw(name) || name == "/ASCIIHexDecode" || name == "/AHx" ||
         name == "/ASCII85Decode" || name == "/A85" || name == "/RunLengthDecode" || name == "/RL";
}

}  // namespace

PdfStatus ParseFilterChain(std::string_view filter, std::string_view parms,
                           std::vector<FilterStep>& steps) {
  steps.clear();
  ParseText filter_text(filter);
  if (filter_text.AtEnd()) return PdfStatus::kOk;
  const PdfValue filter_value = filter_text.ReadValue();
  std::vector<std::string> names;
  if (filter_value.kind == ValueKind::kName) {
    names.push_back(filter_value.text);
  } else if (filter_value.kind == ValueKind::kArray) {
    ParseText items(filter_value.raw.substr(1, filter_value.raw.size() - 2));
    while (!items.AtEnd()) {
      const PdfValue item = items.ReadValue();
      if (item.kind != ValueKind::kName) return PdfStatus::kMalformed;
      names.push_back(item.text);
    }
  } else if (filter_value.kind != ValueKind::kNull) {
    return PdfStatus::kMalformed;
  }
  // Each filter's parameters: one dictionary for a single filter, or an array in step.
  std::vector<std::string_view> parms_of(names.size());
  ParseText parms_text(parms);
  if (!parms_text.AtEnd()) {
    const PdfValue parms_value = parms_text.ReadValue();
    if (parms_value.kind == ValueKind::kDictionary) {
      if (!parms_of.empty()) parms_of[0] = parms_value.raw;
    } else if (parms_value.kind == ValueKind::kArray) {
      ParseText items(parms_value.raw.substr(1, parms_value.raw.size() - 2));
      for (std::size_t i = 0; !items.AtEnd(); ++i) {
        const PdfValue item = items.ReadValue();
        if (item.kind == ValueKind::kDictionary) {
          if (i < parms_of.size()) parms_of[i] = item.raw;
        } else if (item.kind != ValueKind::kNull) {
          return PdfStatus::kMalformed;
        }
      }
    } else if (parms_value.kind != ValueKind::kNull) {
      return PdfStatus::kMalformed;
    }
  }
  for (std::size_t i = 0; i < names.size(); ++i)
    steps.push_back(StepWithParms(names[i], parms_of[i]));
  return PdfStatus::kOk;
}

PdfStatus ApplyFilterChain(std::span<const std::uint8_t> data, const std::vector<FilterStep>& steps,
                           std::size_t max_output, std::vector<std::uint8_t>& out) {
  for (const FilterStep& step : steps) {
    if (!IsDecodableFilter(step.name)) return PdfStatus::kUnsupportedFilter;
  }
  if (data.size() > max_output) return PdfStatus::kTooLarge;
  out.assign(data.begin(), data.end());
  std::vector<std::uint8_t> next;
  for (const FilterStep& step : steps) {
    const PdfStatus status = ApplyStep(out, step, max_output, next);
    if (status != PdfStatus::kOk) return status;
    out.swap(next);
  }
  return PdfStatus::kOk;
}

}  // namespace pagora
