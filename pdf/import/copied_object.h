#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "pdf/import/parse_text.h"

// Rewrites of the text of an object copied from a source file into the document.
namespace pagora {

// The dictionary text without the entries `drop` picks, given the decoded key (without its
// "/") and the value. A text that is not a dictionary, or one that cannot be read to its
// end, comes back unchanged.
std::string RemoveEntries(std::string_view dictionary,
                          const std::function<bool(std::string_view key, const PdfValue&)>& drop);

// The dictionary without /Parent and /P when they refer to another object. Such links of
// an annotation or a structure element lead back to the page and from there through the
// whole page tree: copying them would bring every page of the source file along.
std::string WithoutPageLinks(std::string_view dictionary);

// A stream's dictionary ready for the writer's stream tail: without /Length (the copy
// writes the count of the bytes it copies) and without its closing ">>". Nothing when the
// text is not a dictionary.
std::optional<std::string> StreamDictionaryHead(std::string_view dictionary);

// The text with every literal and hexadecimal string replaced by the hexadecimal string of
// `encrypt` applied to its bytes; names, comments and everything else stay as written.
std::string EncryptStrings(std::string_view text,
                           const std::function<std::string(std::string_view)>& encrypt);

}  // namespace pagora
