#pragma once

#include <string>

#include "pdf/core/pagora_codes.h"

namespace pagora {

// The painting line of a style code: "S", "" (open, unpainted), "h S", "h", "B*", "f*",
// "b*", prefixed by "W " when the path also clips.
std::string PaintPath(int style);

}  // namespace pagora
