#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "pdf/codec/md5.h"

// OpenSSL as an independent implementation of MD5 and RC4 that the codec tests compare
// against. RC4 comes from OpenSSL's legacy provider.
namespace pagora::testing {

Md5Hash OpenSslMd5(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> OpenSslRc4(std::span<const std::uint8_t> key,
                                     std::span<const std::uint8_t> data);

}  // namespace pagora::testing
