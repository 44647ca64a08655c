#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pdf/core/document_info.h"

namespace pagora {

// One item of the document outline. The outline's own links (parent, children, siblings)
// are worked out only when it is written, from the levels in order.
struct BookmarkEntry {
  std::string title;
  // 0 for the top item, 1 for the caller's first level, at most 254.
  int level = 0;
  // The page current when the entry was made (1 before the first page).
  int page = 1;
  // The /C operands ("1 0 0"), empty for the viewer's default colour.
  std::string color;
  // The /F flags: 1 italic, 2 bold.
  int style = 0;
  // The view after the page reference ("/XYZ 10 800 1.5"), empty for no /Dest.
  std::string destination;
};

// A destination named in the catalog's /Dests, written when the document ends.
struct NamedDestination {
  // The page current when it was defined; -1 for the document's last page. Pages outside
  // the document are brought inside when it is written.
  int page = 0;
  std::string destination;  // the view, as for bookmarks
  std::string name;         // the name token with its "/": "/_REF_intro", "/_LINK_3"
};

// The outline and the named destinations of the document being written. The top item
// stands for the whole document and carries its title: every document reset (construction
// and Abort, not BeginDoc) starts the outline with it alone.
struct OutlineState {
  OutlineState() {
    bookmarks.reserve(10);
    bookmarks.push_back({DocumentInfo{}.title, 0, 1, {}, 0, "/FitB"});
  }

  // Index 0 is the top item; the bookmark numbered n by AddBookmark's "@n" is index n - 1.
  std::vector<BookmarkEntry> bookmarks;
  std::vector<NamedDestination> destinations;
};

}  // namespace pagora
