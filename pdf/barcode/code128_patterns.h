#pragma once

#include <array>
#include <string_view>

namespace pagora {

inline constexpr int kCode128CodeC = 99;
inline constexpr int kCode128CodeB = 100;
inline constexpr int kCode128StartB = 104;
inline constexpr int kCode128StartC = 105;
inline constexpr int kCode128Stop = 106;

// Element widths in modules for symbol values 0 to 106, bar first: three bars and three
// spaces over 11 modules, the stop four bars over 13.
extern const std::array<std::string_view, 107> kCode128Widths;

}  // namespace pagora
