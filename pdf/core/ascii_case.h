#pragma once

#include <string>
#include <string_view>

namespace pagora {

// Upper-cases the ASCII letters only, whatever the process's locale: keys of the engine's
// tables (file names, font names) must compare alike in every locale.
inline std::string AsciiUpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace pagora
