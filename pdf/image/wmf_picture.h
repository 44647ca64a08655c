#pragma once

#include <cstdint>
#include <span>

#include "pdf/image/vector_picture.h"

namespace pagora {

// Translates a Windows metafile's pens, brushes, lines and polygons into page content,
// drawn in the placement's box.
//
// A placeable file (key D7 CD C6 9A) skips 40 bytes of headers, a plain one 18; records
// follow until the end-of-file record. The window origin and extent (SETWINDOWORG,
// SETWINDOWEXT) size the picture: the placement matrix of AppendPlacementMatrix for the
// extent, then "1 0 0 1 -orgX -orgY cm"; logical y grows downward like the page's. Drawing
// met before both are known waits for them, so the transform always comes first; a file
// that never gives both falls back to the origin (0, 0) with its window extent, else to
// the placeable header's box, else to the box of the points it draws.
//
// The object table follows the metafile's numbering: each creation record takes the lowest
// free slot, DELETEOBJECT frees one, and an index outside the table or on a free slot is
// ignored. Selecting a pen writes its dash pattern ("[ ] 0 d" for solid up to "[2 1 0.5 1
// 0.5 1] 0 d"), its colour ("r g b RG") and width ("w w"); the null pen turns stroking
// off. Selecting a brush writes "r g b rg"; the null brush turns filling off. POLYLINE is
// stroked ("S"), or ended with "n" under the null pen; POLYGON and POLYPOLYGON (each
// polygon a closed subpath) end in "n", "s", "f" or "b" by pen and brush, "f*" and "b*"
// after SETPOLYFILLMODE 1 (alternate). Coordinates are signed 16-bit numbers written with
// FormatNumber; colours are component bytes written with FormatColorByte.
//
// Never throws on bad input, never reads outside `file`, linear in its size. A record of
// fewer than 3 words stops the walk with kBadRecord, one that runs past the end of the file
// with kTruncated; what was drawn before stays, and "q" and "Q" stay paired.
VectorPicture TranslateWmfPicture(std::span<const std::uint8_t> file,
                                  const PicturePlacement& placement);

}  // namespace pagora
