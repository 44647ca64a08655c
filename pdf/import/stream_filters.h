#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/codec/filter_decoders.h"
#include "pdf/import/pdf_status.h"

namespace pagora {

// One entry of a stream's /Filter with its /DecodeParms.
struct FilterStep {
  std::string name;  // as written, with its "/" ("/FlateDecode", "/Fl")
  PredictorParams predictor;
  bool early_change = true;  // /EarlyChange of /LZWDecode
};

// Reads the values of /Filter (a name, an array of names, or empty for none) and of
// /DecodeParms (a dictionary, an array of dictionaries and nulls, or empty). Both must be
// direct: the caller resolves a reference standing for the whole value. kMalformed for
// anything else.
PdfStatus ParseFilterChain(std::string_view filter, std::string_view parms,
                           std::vector<FilterStep>& steps);

// Decodes `data` through every step in order. kUnsupportedFilter when a step is not
// decodable (the data is then left as it is: such streams can only be copied), kMalformed
// for data a decoder rejects, kTooLarge past `max_output` bytes at any step.
PdfStatus ApplyFilterChain(std::span<const std::uint8_t> data, const std::vector<FilterStep>& steps,
                           std::size_t max_output, std::vector<std::uint8_t>& out);

}  // namespace pagora
