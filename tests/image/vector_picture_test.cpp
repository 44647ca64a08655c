// Exact content of translated EPS and WMF pictures at the edges of their formats.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "pdf/image/eps_picture.h"
#include "pdf/image/wmf_picture.h"

namespace pagora {
namespace {

using Lines = std::vector<std::string>;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// "q" and "Q" pair up in order, never closing more than was opened.
bool Balanced(const Lines& lines) {
  int depth = 0;
  for (const std::string& line : lines) {
    if (line == "q") ++depth;
    if (line == "Q" && --depth < 0) return false;
  }
  return depth == 0;
}

Lines Concat(Lines head, const Lines& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

constexpr PicturePlacement kUnitPlacement{0, 0, 0, 0, 1};

// An EPS with the box 0 0 200 100 whose drawing section holds `drawing`.
std::string Eps(const std::string& drawing) {
  return "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 200 100\n%%EndProlog\n" + drawing +
         "%%PageTrailer\n10 10 m\n";
}

const Lines kEpsHead = {"q", "0.278 0 0 0.278 0 0 cm", "1 0 0 -1 0 100 cm"};

TEST(EpsPictureTest, SizesAndFlipsByTheBoundingBox) {
  struct Case {
    PicturePlacement placement;
    std::string box;
    Lines head;
  };
  const float mm = 72 / 25.4f;
  const Case cases[] = {
      // Width 100 of a 200 × 100 box: height 50, both scales 100·k/200 = 50·k/100.
      {{10, 20, 100, 0, mm}, "0 0 200 100", {"q", "1.417 0 0 1.417 28.346 56.693 cm"}},
      {{0, 0, 0, 50, 1}, "0 0 200 100", {"q", "0.5 0 0 0.5 0 0 cm"}},
      {{0, 0, 0, 0, 1}, "0 0 72 36", {"q", "0.278 0 0 0.278 0 0 cm"}},
      {{0, 0, 0, 0, 2}, "0 0 72 36", {"q", "0.278 0 0 0.278 0 0 cm"}},
      {{1, 2, 30, 40, 1}, " 7 31  577\t726 ", {"q", "0.053 0 0 0.058 1 2 cm"}},
  };
  const Lines flips[] = {{"1 0 0 -1 0 100 cm"},
                         {"1 0 0 -1 0 100 cm"},
                         {"1 0 0 -1 0 36 cm"},
                         {"1 0 0 -1 0 36 cm"},
                         {"1 0 0 -1 -7 726 cm"}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.box);
    const std::string file = "%%BoundingBox:" + c.box + "\n%%EndSetup\n5 5 m\n";
    const VectorPicture picture = TranslateEpsPicture(Bytes(file), c.placement);
    EXPECT_EQ(picture.status, VectorPictureStatus::kOk);
    EXPECT_EQ(picture.lines, Concat(Concat(c.head, flips[i]), {"5 5 m", "Q"}));
  }
}

TEST(EpsPictureTest, TranslatesTheOperatorTable) {
  struct Case {
    std::string drawing;
    Lines expected;
  };
  const Case cases[] = {
      {"10 20 m\n30 40 L\n1 2 3 4 5 6 C\n", {"10 20 m", "30 40 l", "1 2 3 4 5 6 c"}},
      {"1 1 m\n2 2 3 3 V\n4 4 5 5 Y\nN\n", {"1 1 m", "2 2 3 3 v", "4 4 5 5 y", "n"}},
      // Two fills after one path paint it once, even-odd.
      {"0 0 m\n5 5 l\nf\nF\n", {"0 0 m", "5 5 l", "f*"}},
      {"0 0 m\nB\nb\n", {"0 0 m", "B*"}},
      {"0 0 m\nb\n", {"0 0 m", "b*"}},
      // A stroke after the path was painted is dropped; before, kept.
      {"0 0 m\nS\n0 0 m\nf\ns\n", {"0 0 m", "S", "0 0 m", "f*"}},
      {"0.1 0.2 0.3 Xa\n1 XR\n", {"0.1 0.2 0.3 rg", "1 G"}},
      {"0 0 0 1 k\n0.5 g\n2 w\n4 M\n1 j\n0 J\n[3 2] 0 d\n[]0 d\n",
       {"0 0 0 1 k", "0.5 g", "2 w", "4 M", "1 j", "0 J", "[3 2] 0 d", "[]0 d"}},
      {"\t 10 20 m  \n", {"10 20 m"}},
      // Not translated: comments, names, strings, unknown operators, wrong operand counts,
      // PostScript operands, segments without a current point, an array where none goes.
      {"%10 20 m\n/a 1 2 m\n(x) 1 2 m\n1 2 x\n1 m\n1 2 3 m\nexch 1 m\n1 ( m\n5 5 l\n[1] 2 m\n", {}},
      {"1 2 { m\n1 2 3 4 5 6 Xa\n[1 [2]] 0 d\n0 0 m\n1 2 3 4 5 6 c\n", {"0 0 m", "1 2 3 4 5 6 c"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drawing);
    const VectorPicture picture = TranslateEpsPicture(Bytes(Eps(c.drawing)), kUnitPlacement);
    EXPECT_EQ(picture.status, VectorPictureStatus::kOk);
    EXPECT_EQ(picture.lines, Concat(Concat(kEpsHead, c.expected), {"Q"}));
  }
}

TEST(EpsPictureTest, FindsTheDrawingSection) {
  struct Case {
    std::string file;
    VectorPictureStatus status;
    Lines expected;  // the lines between the head and "Q"; empty with a failure
  };
  const std::string box = "%%BoundingBox: 0 0 200 100";
  const Case cases[] = {
      {box + "\r\n%%EndProlog\r\n1 2 m\r\n3 4 l\r\n", VectorPictureStatus::kOk, {"1 2 m", "3 4 l"}},
      {box + "\r%%EndProlog\r1 2 m\r3 4 l", VectorPictureStatus::kOk, {"1 2 m", "3 4 l"}},
      // A showpage inside a prolog procedure does not end the reading; one in the drawing does.
      {box + "\n  showpage\n%%EndSetup\n1 2 m\nshowpage\n3 4 l\n",
       VectorPictureStatus::kOk,
       {"1 2 m"}},
      {box + "\n%%EndSetup\n1 2 m\ngsave annotatepage grestore showpage\n3 4 l\n",
       VectorPictureStatus::kOk,
       {"1 2 m"}},
      // Only the first readable box counts, before or in the drawing.
      {"%%BoundingBox: (atend)\n" + box +
           "\n%%BoundingBox: 0 0 1 1\n%%EndProlog\n"
           "%%BoundingBox: 5 5 6 6\n1 2 m\n",
       VectorPictureStatus::kOk,
       {"1 2 m"}},
      // Without a box the drawing could only land unscaled and upside down.
      {"%%EndProlog\n1 2 m\n", VectorPictureStatus::kNoBoundingBox, {}},
      {"%%BoundingBox: (atend)\n%%EndProlog\n1 2 m\n", VectorPictureStatus::kNoBoundingBox, {}},
      {"%%BoundingBox: 0 0 0 100\n%%EndProlog\n1 2 m\n", VectorPictureStatus::kEmptyFrame, {}},
      {"%%BoundingBox: 0 0 1e38 100\n%%EndProlog\n1 2 m\n", VectorPictureStatus::kOverflow, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const VectorPicture picture = TranslateEpsPicture(Bytes(c.file), kUnitPlacement);
    EXPECT_EQ(picture.status, c.status);
    if (c.status == VectorPictureStatus::kOk) {
      EXPECT_EQ(picture.lines, Concat(Concat(kEpsHead, c.expected), {"Q"}));
    } else {
      EXPECT_TRUE(picture.lines.empty());
    }
  }
  // A box without drawing section draws nothing at all: no unpaired "q".
  const VectorPicture undrawn = TranslateEpsPicture(Bytes(box + "\n1 2 m\n"), kUnitPlacement);
  EXPECT_EQ(undrawn.status, VectorPictureStatus::kOk);
  EXPECT_TRUE(undrawn.lines.empty());
}

// A metafile assembled from records of 16-bit words.
class WmfBuilder {
 public:
  WmfBuilder& Record(std::uint16_t function, std::initializer_list<int> words) {
    Word(static_cast<int>(words.size() + 3));
    Word(0);
    Word(function);
    for (const int word : words) Word(word);
    return *this;
  }
  // The file with the end-of-file record; placeable with the box (left, top, right, bottom).
  std::vector<std::uint8_t> Build(std::initializer_list<int> placeable_box = {}) const {
    WmfBuilder file;
    if (placeable_box.size() == 4) {
      file.bytes_ = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0};
      for (const int value : placeable_box) file.Word(value);
      for (int i = 0; i < 4; ++i) file.Word(0);
    }
    for (const int word : {1, 9, 0x300, 0, 0, 5, 0, 0, 0}) file.Word(word);
    file.bytes_.insert(file.bytes_.end(), bytes_.begin(), bytes_.end());
    file.Record(0, {});
    return file.bytes_;
  }

 private:
  void Word(int value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  std::vector<std::uint8_t> bytes_;
};

enum : std::uint16_t {
  kFillMode = 0x0106,
  kSelect = 0x012D,
  kDelete = 0x01F0,
  kOrigin = 0x020B,
  kExtent = 0x020C,
  kPen = 0x02FA,
  kBrush = 0x02FC,
  kFont = 0x02FB,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kPolyPolygon = 0x0538,
};

WmfBuilder& Pen(WmfBuilder& wmf, int style, int width, int red_green, int blue) {
  return wmf.Record(kPen, {style, width, 0, red_green, blue});
}
WmfBuilder& Brush(WmfBuilder& wmf, int style, int red_green, int blue) {
  return wmf.Record(kBrush, {style, red_green, blue, 0});
}

TEST(WmfPictureTest, DrawsInTheWindowWithSignedCoordinates) {
  WmfBuilder wmf;
  wmf.Record(kOrigin, {20, 10}).Record(kExtent, {50, 100});  // y before x
  Pen(wmf, 1, 3, 0x00FF, 0);                                 // dashed red, width 3
  Brush(wmf, 0, 0x8000, 0xFF);                               // #0080FF
  wmf.Record(kSelect, {0}).Record(kSelect, {1});
  wmf.Record(kPolyline, {2, 0xFFFB, 0xFED4, 40, 50});  // (-5, -300) (40, 50)
  const VectorPicture picture = TranslateWmfPicture(wmf.Build(), {5, 6, 200, 0, 1});
  EXPECT_EQ(picture.status, VectorPictureStatus::kOk);
  EXPECT_EQ(picture.lines,
            (Lines{"q", "2 0 0 2 5 6 cm", "1 0 0 1 -10 -20 cm", "[3 1] 0 d", "1 0 0 RG", "3 w",
                   "0 0.502 1 rg", "-5 -300 m", "40 50 l", "S", "Q"}));
}

TEST(WmfPictureTest, PlaceableAndPlainGiveTheSameContent) {
  WmfBuilder wmf;
  wmf.Record(kOrigin, {0, 0}).Record(kExtent, {414, 414});
  Brush(wmf, 0, 0x342E, 0x36).Record(kSelect, {0});
  wmf.Record(kPolyPolygon, {2, 3, 3, 0, 0, 10, 0, 10, 10, 1, 1, 2, 1, 2, 2});
  const VectorPicture plain = TranslateWmfPicture(wmf.Build(), kUnitPlacement);
  const VectorPicture placeable = TranslateWmfPicture(wmf.Build({0, 0, 9, 9}), kUnitPlacement);
  EXPECT_EQ(plain.status, VectorPictureStatus::kOk);
  EXPECT_EQ(plain.lines, placeable.lines);
  EXPECT_EQ(plain.lines,
            (Lines{"q", "0.278 0 0 0.278 0 0 cm", "1 0 0 1 0 0 cm", "0.18 0.204 0.212 rg", "0 0 m",
                   "10 0 l", "10 10 l", "h", "1 1 m", "2 1 l", "2 2 l", "f*", "Q"}));
}

TEST(WmfPictureTest, PaintsByPenBrushAndFillMode) {
  struct Case {
    int pen_style;
    int brush_style;
    int fill_mode;  // 0: none set
    const char* painting;
  };
  const Case cases[] = {
      {0, 1, 0, "s"},      {5, 0, 1, "f*"}, {5, 0, 2, "f"},  {0, 0, 2, "b"},
      {0, 0, 1, "b*"},     {5, 1, 0, "n"},  {0, 0, 0, "b*"},  // a device context starts alternate
      {0x2200, 0, 2, "b"},  // join and end-cap flags above the style bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.painting);
    WmfBuilder wmf;
    wmf.Record(kOrigin, {0, 0}).Record(kExtent, {10, 10});
    Pen(wmf, c.pen_style, 1, 0, 0);
    Brush(wmf, c.brush_style, 0, 0);
    if (c.fill_mode != 0) wmf.Record(kFillMode, {c.fill_mode});
    wmf.Record(kSelect, {0}).Record(kSelect, {1}).Record(kPolygon, {3, 0, 0, 5, 0, 5, 5});
    const VectorPicture picture = TranslateWmfPicture(wmf.Build(), kUnitPlacement);
    ASSERT_GE(picture.lines.size(), 2u);
    EXPECT_EQ(picture.lines[picture.lines.size() - 2], c.painting);
  }
  // A null pen leaves an open line unstroked.
  WmfBuilder line;
  Pen(line, 5, 1, 0, 0).Record(kSelect, {0}).Record(kPolyline, {2, 0, 0, 5, 5});
  EXPECT_EQ(TranslateWmfPicture(line.Build({0, 0, 10, 10}), kUnitPlacement).lines.end()[-2], "n");
}

TEST(WmfPictureTest, KeepsTheObjectTableNumbering) {
  WmfBuilder wmf;
  wmf.Record(kOrigin, {0, 0}).Record(kExtent, {10, 10});
  Pen(wmf, 0, 1, 0xFF, 0);  // slot 0
  wmf.Record(kFont, {0});   // slot 1, draws nothing
  Pen(wmf, 2, 2, 0, 0xFF);  // slot 2
  wmf.Record(kDelete, {0}).Record(kDelete, {0}).Record(kDelete, {999});
  Brush(wmf, 0, 0xFF00, 0);  // takes the lowest free slot, 0
  wmf.Record(kSelect, {0}).Record(kSelect, {1}).Record(kSelect, {2}).Record(kSelect, {7});
  const VectorPicture picture = TranslateWmfPicture(wmf.Build(), kUnitPlacement);
  EXPECT_EQ(picture.lines, (Lines{"q", "0.278 0 0 0.278 0 0 cm", "1 0 0 1 0 0 cm", "0 1 0 rg",
                                  "[0.5 0.5] 0 d", "0 0 1 RG", "2 w", "Q"}));
}

TEST(WmfPictureTest, WritesTheTransformBeforeAnyDrawing) {
  const Lines drawing = {"1 0 0 RG", "1 w", "1 2 m", "3 4 l", "S"};
  struct Case {
    std::vector<std::uint8_t> file;
    Lines transform;
  };
  WmfBuilder late;  // the window comes after the drawing
  Pen(late, 6, 1, 0xFF, 0).Record(kSelect, {0}).Record(kPolyline, {2, 1, 2, 3, 4});
  WmfBuilder extent_only = late;
  late.Record(kExtent, {20, 40}).Record(kOrigin, {-1, -2});
  extent_only.Record(kExtent, {20, 40});
  WmfBuilder no_window;
  Pen(no_window, 6, 1, 0xFF, 0).Record(kSelect, {0}).Record(kPolyline, {2, 1, 2, 3, 4});
  const Case cases[] = {
      {late.Build(), {"0.278 0 0 0.278 0 0 cm", "1 0 0 1 2 1 cm"}},
      {extent_only.Build(), {"0.278 0 0 0.278 0 0 cm", "1 0 0 1 0 0 cm"}},
      // No window: the placeable box, else what the points cover.
      {no_window.Build({-5, 0, 5, 10}), {"0.278 0 0 0.278 0 0 cm", "1 0 0 1 5 0 cm"}},
      {no_window.Build(), {"0.278 0 0 0.278 0 0 cm", "1 0 0 1 -1 -2 cm"}},
  };
  for (const Case& c : cases) {
    const VectorPicture picture = TranslateWmfPicture(c.file, kUnitPlacement);
    EXPECT_EQ(picture.status, VectorPictureStatus::kOk);
    EXPECT_EQ(picture.lines, Concat(Concat(Concat({"q"}, c.transform), drawing), {"Q"}));
  }
}

TEST(WmfPictureTest, StopsAtDamagedRecords) {
  WmfBuilder wmf;
  wmf.Record(kOrigin, {0, 0}).Record(kExtent, {10, 10});
  Brush(wmf, 0, 0, 0).Record(kSelect, {0});
  const std::vector<std::uint8_t> good = wmf.Build();
  const std::size_t end_record = good.size() - 6;
  const Lines drawn = {"q", "0.278 0 0 0.278 0 0 cm", "1 0 0 1 0 0 cm", "0 0 0 rg", "Q"};

  std::vector<std::uint8_t> zero_size = good;
  zero_size[end_record] = 0;
  zero_size[end_record + 4] = 0x24;  // a polygon of 0 words would never move on
  std::vector<std::uint8_t> past_end = good;
  past_end[end_record] = 200;
  std::vector<std::uint8_t> torn = good;
  torn.resize(end_record + 4);
  struct Case {
    std::vector<std::uint8_t> file;
    VectorPictureStatus status;
    Lines lines;
  };
  const Case cases[] = {
      {zero_size, VectorPictureStatus::kBadRecord, drawn},
      {past_end, VectorPictureStatus::kTruncated, drawn},
      {torn, VectorPictureStatus::kTruncated, drawn},
      {std::vector<std::uint8_t>(good.begin(), good.begin() + 17),
       VectorPictureStatus::kTruncated,
       {}},
      {{0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0}, VectorPictureStatus::kTruncated, {}},
      {WmfBuilder().Record(kOrigin, {0, 0}).Record(kExtent, {10, 0}).Record(kSelect, {0}).Build(),
       VectorPictureStatus::kEmptyFrame,
       {}},
  };
  for (const Case& c : cases) {
    const VectorPicture picture = TranslateWmfPicture(c.file, kUnitPlacement);
    EXPECT_EQ(picture.status, c.status);
    EXPECT_EQ(picture.lines, c.lines);
    EXPECT_TRUE(Balanced(picture.lines));
  }
  // A unit factor of 0 cannot scale a derived size.
  EXPECT_EQ(TranslateWmfPicture(good, {0, 0, 0, 0, 0}).status, VectorPictureStatus::kOverflow);
}

}  // namespace
}  // namespace pagora
