#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/import/pdf_file.h"

namespace pagora {

// Where a reference "n g R" stands in a text.
struct ReferenceSpan {
  std::size_t begin = 0;  // offset of the object number
  std::size_t end = 0;    // offset just past the "R"
  ObjectRef ref;
};

// Every indirect reference in an object's text, in order. Strings and comments are passed
// over, so "(1 0 R)" is no reference.
std::vector<ReferenceSpan> FindReferences(std::string_view text);

// The text with each reference replaced by "m 0 R", m being `output_number` of it, or by
// "null" when `output_number` has none (a reference to a missing object reads as null).
std::string RenumberReferences(
    std::string_view text,
    const std::function<std::optional<std::uint32_t>(ObjectRef)>& output_number);

// Every object reachable from the references in `text`, each once, in the order they are
// first reached, without recursion. Objects for which `skip` is true (already copied) are
// neither listed nor followed, nor are missing objects. The caller can give each listed
// object its output number first and then copy them in any order, so that references
// that loop between objects are copied once. When given, `followed` gives the part of an
// object's text whose references are followed (page import drops the links up to pages).
PdfStatus CollectReferencedObjects(
    PdfFile& file, std::string_view text, const std::function<bool(std::uint32_t)>& skip,
    std::vector<std::uint32_t>& objects,
    const std::function<std::string(std::string_view)>& followed = {});

}  // namespace pagora
