#pragma once

#include <string>
#include <string_view>

namespace pagora::testing {

// Reads back the body of a PDF literal string the way a reader does: the escapes \r and \n are
// CR and LF, any other escaped byte stands for itself.
inline std::string UnescapeLiteral(std::string_view escaped) {
  std::string text;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '\\') {
      text += escaped[i];
      continue;
    }
    const char next = escaped.at(++i);
    text += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  return text;
}

}  // namespace pagora::testing
