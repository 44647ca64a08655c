#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pagora {

// Compresses `input` into a zlib stream (RFC 1950) for the /FlateDecode filter: the
// header bytes 0x78 0x5E, the whole input as one final Deflate block (RFC 1951) of
// whichever type comes out smallest (stored, fixed or dynamic Huffman codes; a stored
// input longer than 65535 bytes takes several stored blocks), then the Adler-32 checksum
// of the input, most significant byte first.
//
// `level` (0 to 3; larger values count as 3, negative ones as 0) trades speed for size:
// higher levels search longer for matches. Matches reach at most 32767 bytes back; an
// input of 4 GiB - 64 KiB or more is sent without matches. Never fails; empty input gives
// a valid stream holding one empty block. Memory: at most about 0.6 MB of match index,
// plus a few bytes per input byte for the tokens and the output.
std::vector<std::uint8_t> FlateEncode(std::span<const std::uint8_t> input, int level);

}  // namespace pagora
