// The digest must not depend on how the message is cut into pieces for Md5Update.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "pdf/codec/md5.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the length of the pieces, 1 to 256 bytes.
  const std::size_t piece = std::size_t{data[0]} + 1;
  const std::span<const std::uint8_t> message(data + 1, size - 1);

  pagora::Md5Context context;
  pagora::Md5Start(context);
  for (std::size_t at = 0; at < message.size(); at += piece) {
    pagora::Md5Update(context, message.subspan(at, std::min(piece, message.size() - at)));
  }
  const auto whole = pagora::Md5Digest(message);
  if (!whole || pagora::Md5Finish(context) != *whole) std::abort();
  return 0;
}
