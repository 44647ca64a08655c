#pragma once

#include <string_view>

namespace pagora {

// The numbering style of a page label: 1 " /S /D" decimal, 2 " /S /R" upper-case roman,
// 3 " /S /r" lower-case roman, 4 " /S /A" upper-case letters, 5 " /S /a" lower-case
// letters; empty for any other code.
std::string_view PageLabelStyle(int code);

// The style part of a page transition dictionary for codes 1..17 (split, wipe, box,
// blinds, dissolve, glitter, replace), ending with ">> "; empty for any other code.
std::string_view TransitionStyle(int code);

}  // namespace pagora
