#pragma once

#include <cstdint>
#include <span>

namespace pagora {

// The Adler-32 checksum of `data` (RFC 1950), which ends every zlib stream; 1 for no data.
std::uint32_t Adler32(std::span<const std::uint8_t> data);

}  // namespace pagora
