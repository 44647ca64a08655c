#pragma once

#include <cstdint>
#include <span>

#include "pdf/image/vector_picture.h"

namespace pagora {

// Translates the simple PostScript that drawing programs export (Illustrator's one-letter
// path operators) into page content, drawn in the placement's box.
//
// The file is read as lines, split at CR, LF or CR LF. The first "%%BoundingBox: llx lly
// urx ury" line sizes the picture (AppendPlacementMatrix with the box's width and height)
// and flips PostScript's y-up space into the page's y-down one: "q", the placement
// matrix, "1 0 0 -1 -llx bh+lly cm". Drawing starts after "%%EndSetup" or "%%EndProlog"
// and ends at "%%PageTrailer" or a "showpage" line; each line there whose last word is a
// known operator is translated:
// - m l v y c k K g G J j w M d n: the line as it is (a path is pending, not painted);
// - s S: the line, unless the path was painted already;
// - Y N L C V: the line with its operator in lower case (Illustrator's smooth points);
// - f F: "f*" once for a pending path; b B: "b*" or "B*" the same way (even-odd fills);
// - Xa: the operands then "rg"; XR: the operands then "G".
// Lines whose operands are anything but numbers and number arrays are passed over, so that
// no PostScript string, procedure or dictionary can leak into the page's content. The
// final "Q" closes the picture.
//
// An EPS without drawing section draws nothing (kOk, no lines); one whose drawing starts
// before a readable bounding box is refused with kNoBoundingBox. Never throws on bad
// input; linear in the file's size.
VectorPicture TranslateEpsPicture(std::span<const std::uint8_t> file,
                                  const PicturePlacement& placement);

}  // namespace pagora
