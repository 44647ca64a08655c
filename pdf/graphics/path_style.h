#pragma once

#include <string>

namespace pagora {

// Bits of the style code every painting operation takes (only its low byte is read).
enum PathStyleBits : int {
  kPathNoStroke = 0x01,  // with kPathFill: fill only; alone: leave the path unpainted
  kPathClose = 0x02,
  kPathFill = 0x04,  // even-odd rule
  kPathClip = 0x80,  // also intersect the clipping path with this path
};

// The painting line of a style code: "S", "" (open, unpainted), "h S", "h", "B*", "f*",
// "b*", prefixed by "W " when the path also clips.
std::string PaintPath(int style);

}  // namespace pagora
