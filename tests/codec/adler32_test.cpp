#include "pdf/codec/adler32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string_view>
#include <vector>

namespace pagora {
namespace {

std::uint32_t Adler32Of(std::string_view text) {
  return Adler32({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TEST(Adler32Test, KnownValues) {
  EXPECT_EQ(Adler32Of(""), 1u);
  EXPECT_EQ(Adler32Of("a"), 0x00620062u);
  EXPECT_EQ(Adler32Of("Wikipedia"), 0x11E60398u);
}

TEST(Adler32Test, LongRunsOfHighBytesMatchZlib) {
  // 0xFF bytes make the sums grow fastest: the reductions must come in time.
  for (const std::size_t size : {5551u, 5552u, 5553u, 1u << 20}) {
    const std::vector<std::uint8_t> data(size, 0xFF);
    EXPECT_EQ(Adler32(data), adler32(1, data.data(), static_cast<uInt>(size))) << size;
  }
}

}  // namespace
}  // namespace pagora
