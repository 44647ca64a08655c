// EscapeString must round-trip through a reader's unescaping and never leave a bare
// delimiter; SplitText's pieces must join back to the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pdf/core/text_encoding.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckEscape(std::string_view text) {
  const std::string escaped = pagora::EscapeString(text);
  std::string back;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    Require(c != '(' && c != ')' && c != '\r' && c != '\n');
    if (c != '\\') {
      back += c;
      continue;
    }
    Require(++i < escaped.size());
    const char next = escaped[i];
    Require(next == '\\' || next == '(' || next == ')' || next == 'r' || next == 'n');
    back += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  Require(back == text);
}

void CheckSplit(std::string_view text, std::string_view delimiter) {
  const auto pieces = pagora::SplitText(text, delimiter);
  Require(!pieces.empty());
  std::string joined = pieces[0];
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    Require(!delimiter.empty());
    joined += delimiter;
    joined += pieces[i];
  }
  Require(joined == text);
  Require(pagora::ReplaceText(text, delimiter, delimiter) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckEscape(input);
  // The first byte chooses how long the delimiter is; it is taken from the start.
  if (size > 0) {
    const std::size_t delimiter_length = std::min<std::size_t>(data[0] % 4, size - 1);
    CheckSplit(input.substr(1 + delimiter_length), input.substr(1, delimiter_length));
  }
  return 0;
}
