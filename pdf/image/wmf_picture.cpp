#include "pdf/image/wmf_picture.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/number_format.h"

namespace pagora {
namespace {

constexpr std::uint8_t kPlaceableKey[] = {0xD7, 0xCD, 0xC6, 0x9A};
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr std::size_t kStandardHeaderBytes = 18;
constexpr std::size_t kRecordHeaderBytes = 6;

enum RecordFunction : std::uint16_t {
  kEndOfFile = 0x0000,
  kSetPolyFillMode = 0x0106,
  kSelectObject = 0x012D,
  kDeleteObject = 0x01F0,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kCreatePenIndirect = 0x02FA,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kPolyPolygon = 0x0538,
};

// Creation records whose objects draw nothing here but still take a slot of the table:
// font, bitmap, palette, brush, DIB pattern brush, pattern brush, region.
constexpr std::uint16_t kOtherCreations[] = {0x02FB, 0x02FD, 0x00F7, 0x00F8,
                                             0x0142, 0x01F9, 0x06FF};

constexpr std::uint16_t kNullPenStyle = 5;
constexpr std::uint16_t kNullBrushStyle = 1;
constexpr std::uint16_t kAlternateFillMode = 1;

// Little-endian fields of a span whose length the caller checked.
std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
std::int16_t S16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int16_t>(U16(bytes, at));
}
std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return U16(bytes, at) | static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16;
}

struct Point {
  std::int16_t x;
  std::int16_t y;
};

// The part of the logical plane the picture fills.
struct Frame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct WmfObject {
  bool in_use = false;
  char type = 'D';  // 'P' pen, 'B' brush, 'D' anything else
  float width = 0;
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint16_t style = 0;
};

// The metafile's object table: creation takes the lowest free slot.
class ObjectTable {
 public:
  void Create(const WmfObject& object) {
    if (free_.empty()) {
      objects_.push_back(object);
    } else {
      objects_[free_.top()] = object;
      free_.pop();
    }
  }
  void Delete(std::uint16_t index) {
    if (index >= objects_.size() || !objects_[index].in_use) return;
    objects_[index].in_use = false;
    free_.push(index);
  }
  const WmfObject* Find(std::uint16_t index) const {
    if (index >= objects_.size() || !objects_[index].in_use) return nullptr;
    return &objects_[index];
  }

 private:
  std::vector<WmfObject> objects_;
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> free_;
};

std::string_view DashPattern(std::uint16_t style) {
  switch (style) {
    case 0:
      return "[ ] 0 d";
    case 1:
      return "[3 1] 0 d";
    case 2:
      return "[0.5 0.5] 0 d";
    case 3:
      return "[2 1 0.5 1] 0 d";
    case 4:
      return "[2 1 0.5 1 0.5 1] 0 d";
    default:
      return {};
  }
}

std::string ColorLine(const WmfObject& object, std::string_view op) {
  std::string line;
  line += FormatColorByte(object.red);
  line += ' ';
  line += FormatColorByte(object.green);
  line += ' ';
  line += FormatColorByte(object.blue);
  line += ' ';
  line += op;
  return line;
}

class WmfPlayer {
 public:
  WmfPlayer(const PicturePlacement& placement, std::optional<Frame> placeable_frame)
      : placement_(placement), placeable_frame_(placeable_frame) {}

  // Plays one record; false when the picture cannot be sized, which ends the walk.
  bool Play(std::uint16_t function, std::span<const std::uint8_t> params) {
    switch (function) {
      case kSetWindowOrg:
        if (params.size() >= 4) origin_ = Point{S16(params, 2), S16(params, 0)};
        return true;
      case kSetWindowExt:
        if (params.size() >= 4) extent_ = Point{S16(params, 2), S16(params, 0)};
        return true;
      case kCreatePenIndirect:
        CreatePen(params);
        return true;
      case kCreateBrushIndirect:
        CreateBrush(params);
        return true;
      case kDeleteObject:
        if (params.size() >= 2) objects_.Delete(U16(params, 0));
        return true;
      case kSetPolyFillMode:
        if (params.size() >= 2) even_odd_ = U16(params, 0) == kAlternateFillMode;
        return true;
      case kSelectObject:
        if (!WriteTransformWhenKnown()) return false;
        if (params.size() >= 2) Select(U16(params, 0));
        return true;
      case kPolyline:
      case kPolygon:
        if (!WriteTransformWhenKnown()) return false;
        DrawPoly(params, function == kPolygon);
        return true;
      case kPolyPolygon:
        if (!WriteTransformWhenKnown()) return false;
        DrawPolyPolygon(params);
        return true;
      default:
        if (std::find(std::begin(kOtherCreations), std::end(kOtherCreations), function) !=
            std::end(kOtherCreations)) {
          objects_.Create(WmfObject{.in_use = true});
        }
        return true;
    }
  }

  // Closes the picture: the drawing still waiting for a transform gets the fallback one.
  VectorPicture Finish(VectorPictureStatus status) {
    if (failure_) return {*failure_, {}};
    if (!transform_written_ && !pending_.empty()) {
      const std::optional<Frame> frame = FallbackFrame();
      if (!frame || !WriteTransform(*frame)) {
        return {failure_.value_or(VectorPictureStatus::kEmptyFrame), {}};
      }
    }
    lines_.emplace_back("Q");
    return {status, std::move(lines_)};
  }

 private:
  std::vector<std::string>& Out() { return transform_written_ ? lines_ : pending_; }

  bool WriteTransformWhenKnown() {
    if (transform_written_ || !origin_ || !extent_) return true;
    return WriteTransform(Frame{origin_->x, origin_->y, extent_->x, extent_->y});
  }

  bool WriteTransform(const Frame& frame) {
    const VectorPictureStatus status = AppendPlacementMatrix(
        static_cast<float>(frame.width), static_cast<float>(frame.height), placement_, lines_);
    if (status != VectorPictureStatus::kOk) {
      failure_ = status;
      return false;
    }
    lines_.push_back("1 0 0 1 " + FormatNumber(static_cast<float>(-frame.left)) + " " +
                     FormatNumber(static_cast<float>(-frame.top)) + " cm");
    std::move(pending_.begin(), pending_.end(), std::back_inserter(lines_));
    pending_.clear();
    transform_written_ = true;
    return true;
  }

  std::optional<Frame> FallbackFrame() const {
    if (extent_) {
      const Point origin = origin_.value_or(Point{0, 0});
      return Frame{origin.x, origin.y, extent_->x, extent_->y};
    }
    if (placeable_frame_) return placeable_frame_;
    if (!drawn_box_) return std::nullopt;
    return Frame{drawn_box_->left, drawn_box_->top, drawn_box_->width, drawn_box_->height};
  }

  void CreatePen(std::span<const std::uint8_t> params) {
    WmfObject pen{.in_use = true};
    // A record too short for its pen still takes its slot, so later indexes stay right.
    if (params.size() >= 10) {
      pen.type = 'P';
      pen.style = U16(params, 0);
      pen.width = static_cast<float>(std::max<std::int16_t>(S16(params, 2), 0));
      pen.red = params[6];
      pen.green = params[7];
      pen.blue = params[8];
    }
    objects_.Create(pen);
  }

  void CreateBrush(std::span<const std::uint8_t> params) {
    WmfObject brush{.in_use = true};
    if (params.size() >= 6) {
      brush.type = 'B';
      brush.style = U16(params, 0);
      brush.red = params[2];
      brush.green = params[3];
      brush.blue = params[4];
    }
    objects_.Create(brush);
  }

  void Select(std::uint16_t index) {
    const WmfObject* object = objects_.Find(index);
    if (object == nullptr) return;
    if (object->type == 'P') {
      // The low bits hold the style; the high ones join and end-cap flags.
      const std::uint16_t style = object->style & 0x0F;
      if (const std::string_view dash = DashPattern(style); !dash.empty()) {
        Out().emplace_back(dash);
      }
      stroke_ = style != kNullPenStyle;
      Out().push_back(ColorLine(*object, "RG"));
      Out().push_back(FormatNumber(object->width) + " w");
    } else if (object->type == 'B') {
      fill_ = object->style != kNullBrushStyle;
      if (fill_) Out().push_back(ColorLine(*object, "rg"));
    }
  }

  void AppendPoint(Point point, char op) {
    char x[kMaxNumberChars];
    char y[kMaxNumberChars];
    std::string line(x, FormatNumberTo(point.x, x));
    line += ' ';
    line.append(y, FormatNumberTo(point.y, y));
    line += ' ';
    line += op;
    Out().push_back(std::move(line));
    Include(point);
  }

  // Writes `count` points from `at` as one subpath.
  void AppendSubpath(std::span<const std::uint8_t> params, std::size_t at, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, at += 4) {
      AppendPoint(Point{S16(params, at), S16(params, at + 2)}, i == 0 ? 'm' : 'l');
    }
  }

  void DrawPoly(std::span<const std::uint8_t> params, bool closed) {
    if (params.size() < 2) return;
    const std::size_t count = U16(params, 0);
    if (count == 0 || params.size() < 2 + 4 * count) return;
    AppendSubpath(params, 2, count);
    if (closed) {
      Out().emplace_back(PolygonPainting());
    } else {
      Out().emplace_back(stroke_ ? "S" : "n");
    }
  }

  void DrawPolyPolygon(std::span<const std::uint8_t> params) {
    if (params.size() < 2) return;
    const std::size_t polygons = U16(params, 0);
    if (params.size() < 2 + 2 * polygons) return;
    std::size_t points = 0;
    for (std::size_t i = 0; i < polygons; ++i) points += U16(params, 2 + 2 * i);
    std::size_t at = 2 + 2 * polygons;
    if (points == 0 || params.size() < at + 4 * points) return;
    bool first = true;
    for (std::size_t i = 0; i < polygons; ++i) {
      const std::size_t count = U16(params, 2 + 2 * i);
      if (count == 0) continue;
      // The painting operator closes only the last subpath; a stroked outline needs the
      // others closed too.
      if (!first) Out().emplace_back("h");
      AppendSubpath(params, at, count);
      at += 4 * count;
      first = false;
    }
    Out().emplace_back(PolygonPainting());
  }

  std::string_view PolygonPainting() const {
    if (fill_ && stroke_) return even_odd_ ? "b*" : "b";
    if (fill_) return even_odd_ ? "f*" : "f";
    return stroke_ ? "s" : "n";
  }

  void Include(Point point) {
    if (!drawn_box_) {
      drawn_box_ = Frame{point.x, point.y, 0, 0};
      return;
    }
    Frame& box = *drawn_box_;
    const int right = std::max(box.left + box.width, static_cast<int>(point.x));
    const int bottom = std::max(box.top + box.height, static_cast<int>(point.y));
    box.left = std::min(box.left, static_cast<int>(point.x));
    box.top = std::min(box.top, static_cast<int>(point.y));
    box.width = right - box.left;
    box.height = bottom - box.top;
  }

  const PicturePlacement placement_;
  const std::optional<Frame> placeable_frame_;
  std::vector<std::string> lines_{"q"};
  std::vector<std::string> pending_;  // drawing that waits for the transform
  bool transform_written_ = false;
  std::optional<VectorPictureStatus> failure_;
  std::optional<Point> origin_;
  std::optional<Point> extent_;
  std::optional<Frame> drawn_box_;
  ObjectTable objects_;
  bool stroke_ = false;
  bool fill_ = false;
  bool even_odd_ = true;  // the default fill mode of a device context is alternate
};

}  // namespace

VectorPicture TranslateWmfPicture(std::span<const std::uint8_t> file,
                                  const PicturePlacement& placement) {
  std::size_t position = kStandardHeaderBytes;
  std::optional<Frame> placeable_frame;
  if (file.size() >= 4 &&
      std::equal(std::begin(kPlaceableKey), std::end(kPlaceableKey), file.begin())) {
    position += kPlaceableHeaderBytes;
    if (file.size() >= kPlaceableHeaderBytes) {
      const int left = S16(file, 6);
      const int top = S16(file, 8);
      placeable_frame = Frame{left, top, S16(file, 10) - left, S16(file, 12) - top};
    }
  }
  if (file.size() < position) return {VectorPictureStatus::kTruncated, {}};

  WmfPlayer player(placement, placeable_frame);
  VectorPictureStatus status = VectorPictureStatus::kOk;
  while (position < file.size()) {
    const std::size_t left = file.size() - position;
    if (left < kRecordHeaderBytes) {
      status = VectorPictureStatus::kTruncated;
      break;
    }
    const std::size_t words = U32(file, position);
    const std::uint16_t function = U16(file, position + 4);
    // Fewer than 3 words would not move past the record's own header: the walk would
    // stall or step backwards into it.
    if (words * 2 < kRecordHeaderBytes) {
      status = VectorPictureStatus::kBadRecord;
      break;
    }
    if (words > left / 2) {
      status = VectorPictureStatus::kTruncated;
      break;
    }
    if (function == kEndOfFile) break;
    const auto params = file.subspan(position + kRecordHeaderBytes, words * 2 - kRecordHeaderBytes);
    if (!player.Play(function, params)) break;
    position += words * 2;
  }
  return player.Finish(status);
}

}  // namespace pagora
