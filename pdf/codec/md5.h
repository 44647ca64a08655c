#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The MD5 message digest (RFC 1321), used by the standard security handler to derive its
// keys. It is not a secure hash; the PDF format requires it.
namespace pagora {

using Md5Hash = std::array<std::uint8_t, 16>;

// The longest input `Md5Digest` accepts, in bytes. Longer inputs are refused (the
// document reports it as an overflow).
inline constexpr std::size_t kMd5MaxInputLength = 0x0FFFFFFE;

// An MD5 computation fed in pieces: Md5Start, any number of Md5Update, one Md5Finish.
struct Md5Context {
  std::array<std::uint32_t, 4> state{};    // the words A, B, C, D
  std::uint64_t length = 0;                // bytes fed so far
  std::array<std::uint8_t, 64> pending{};  // the incomplete block: length % 64 bytes
};

void Md5Start(Md5Context& context);
// Feeds `data`, which may have any length, empty included.
void Md5Update(Md5Context& context, std::span<const std::uint8_t> data);
// Pads the message and returns its digest: A, B, C, D, each least significant byte first.
// The context must be started again before further use.
Md5Hash Md5Finish(Md5Context& context);

// The digest of `data`, or nothing when `data` is longer than kMd5MaxInputLength.
std::optional<Md5Hash> Md5Digest(std::span<const std::uint8_t> data);

}  // namespace pagora
