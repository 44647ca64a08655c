#include "pdf/core/content_streams.h"

#include <gtest/gtest.h>

#include "pdf/core/table_growth.h"

namespace pagora {
namespace {

TEST(TextBuffer, KeepsBytesAppendedSinceReset) {
  TextBuffer buffer;
  buffer.Append("stale");
  buffer.Reset();
  EXPECT_EQ(buffer.Text(), "");
  buffer.Append("ab");
  buffer.AppendByte(0);
  EXPECT_EQ(buffer.Text(), std::string_view("ab\0", 3));
}

TEST(ContentStreams, RoutesToFormObjectThenTilingThenPage) {
  ContentStreams content;
  content.Append("dropped");
  content.page_open = true;
  content.Append("0 0 m");
  content.tiling_pattern_open = true;
  content.Append("tile");
  content.form_object_open = true;
  content.Append("form");
  EXPECT_EQ(content.page.Text(), "\r0 0 m");
  EXPECT_EQ(content.tiling_pattern.Text(), "\rtile");
  EXPECT_EQ(content.form_object.Text(), "\rform");

  content.page_open = content.tiling_pattern_open = content.form_object_open = false;
  content.Append("also dropped");
  EXPECT_EQ(content.page.Text(), "\r0 0 m");
}

TEST(TableGrowth, FollowsTheMemoryFactor) {
  EXPECT_EQ(InitialTableSize(1), 10);
  EXPECT_EQ(InitialTableSize(4), 40);
  EXPECT_EQ(GrownTableSize(10, 1), 20);
  EXPECT_EQ(GrownTableSize(10, 0), 20);
  EXPECT_EQ(GrownTableSize(12, 2), 27);  // 12 + 10 + 4.8
  EXPECT_EQ(GrownTableSize(11, 2), 25);  // 11 + 10 + 4.4
  EXPECT_EQ(GrownTableSize(100, 10), 310);
}

}  // namespace
}  // namespace pagora
