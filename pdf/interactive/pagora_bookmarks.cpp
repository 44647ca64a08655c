// Bookmarks and named destinations: recorded while pages are drawn, written by EndDoc.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/graphics/color.h"
#include "pdf/interactive/navigation.h"
#include "pdf/interactive/outline_links.h"

namespace pagora {
namespace {

// The level of a new item from the requested one and the previous item's. Every level
// below the top item's is at least 1, so that each item has a parent in the outline.
int BookmarkLevel(int requested, int previous) {
  int level = 1;
  if (requested == -1) {
    level = previous + 1;
  } else if (requested == 0) {
    level = previous;
  } else if (requested > 0) {
    level = std::min(requested, previous + 1);
  }
  return std::max(level, 1);
}

}  // namespace

std::string Pagora::AddBookmark(const std::string& title, int level, int destination_type, float x,
                                float y, float width, float height, float zoom,
                                const std::string& color, int style) try {
  Document& doc = *doc_;
  std::vector<BookmarkEntry>& bookmarks = doc.outline.bookmarks;
  BookmarkEntry entry;
  entry.level = BookmarkLevel(level, bookmarks.back().level);
  if (entry.level > kDeepestBookmarkLevel) return {};
  entry.title = title;
  entry.page = doc.page.count == 0 ? 1 : doc.page.count;
  entry.destination =
      DestinationView(destination_type, UserViewBox(doc, x, y, width, height, zoom));
  if (!color.empty()) entry.color = FormatColor(NormalizeColor(color).color);
  if (style & kFontItalic) entry.style |= 1;
  if (style & kFontBold) entry.style |= 2;
  AppendEntry(bookmarks, std::move(entry), doc.memory_factor);
  // Item colours and styles came with PDF 1.4.
  if (!color.empty() || style != 0) RequireVersion(doc, 1);
  return "@" + std::to_string(bookmarks.size());
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::DefineRef(const std::string& name, int destination_type, float x, float y, float width,
                       float height, float zoom) try {
  Document& doc = *doc_;
  ViewBox box = UserViewBox(doc, x, y, width, height, zoom);
  if (x == 0) box.left = doc.page.x;
  // The current position is measured from the top, like a given y.
  if (y == 0) box.top = CheckedFloat(double{doc.page.height} - doc.page.y);
  NamedDestination destination;
  destination.page = doc.page.count;
  destination.destination = DestinationView(destination_type, box);
  destination.name = DestinationName("/_REF_", name);
  AppendEntry(doc.outline.destinations, std::move(destination), doc.memory_factor);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
