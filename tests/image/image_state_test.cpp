#include "pdf/image/image_state.h"

#include <gtest/gtest.h>

#include "pdf/core/runtime_error.h"
#include "pdf/image/raster_bytes.h"

namespace pagora {
namespace {

TEST(ImageStateTest, TableGrowsByTheMemoryFactorAndKeepsItsEntries) {
  struct Case {
    std::uint8_t factor;
    std::size_t first_size;  // slots 0..M×10
    std::size_t grown_size;  // after the entry past them
  };
  for (const Case c : {Case{1, 11, 22}, Case{3, 31, 61}, Case{10, 101, 314}}) {
    SCOPED_TRACE(int{c.factor});
    ImageState images;
    const int past = static_cast<int>(c.first_size);
    for (int n = 1; n <= past; ++n) {
      EXPECT_EQ(AddImage(images, "P" + std::to_string(n) + ".GIF", 1, c.factor), n);
      if (n == 1) {
        EXPECT_EQ(images.entries.size(), c.first_size);
      }
    }
    EXPECT_EQ(images.entries.size(), c.grown_size);
    EXPECT_EQ(FindImage(images, "P1.GIF", 1), 1);
    EXPECT_EQ(FindImage(images, "P" + std::to_string(past) + ".GIF", 1), past);
  }
}

TEST(ImageStateTest, KeyIsTheNameAndTheFrame) {
  ImageState images;
  AddImage(images, "A.GIF", 1, 1);
  AddImage(images, "A.GIF", 2, 1);
  EXPECT_EQ(FindImage(images, "A.GIF", 2), 2);
  EXPECT_EQ(FindImage(images, "A.GIF", 3), 0);
  EXPECT_EQ(FindImage(images, "A.GI", 1), 0);
}

TEST(ImageStateTest, RefusesAPictureBeyond32767) {
  ImageState images;
  images.count = 32767;
  images.entries.resize(32768);
  EXPECT_THROW(AddImage(images, "X.GIF", 1, 1), RuntimeError);
  EXPECT_EQ(IndexMask(0), "0 0 ");
  EXPECT_EQ(IndexMask(255), "255 255 ");
}

}  // namespace
}  // namespace pagora
