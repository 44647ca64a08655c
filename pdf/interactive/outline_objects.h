#pragma once

#include <string>
#include <string_view>

#include "pdf/interactive/outline_state.h"

namespace pagora {

// The object numbers an outline item's dictionary names; 0 for a link that is absent.
struct OutlineItemObjects {
  int parent = 0;
  int first = 0;
  int last = 0;
  int prev = 0;
  int next = 0;
  int page = 0;  // the object of the entry's page
};

// The outline dictionary, whose one child is the top item: "<< /Count 1 /First t 0 R
// /Last t 0 R >>".
std::string BuildOutlineDictionary(int top_item);

// One outline item's dictionary, entries separated by CR: /Title (`title` already
// encoded as a string), /Parent, each present link, /Count when `count` is not 0 (the top
// item only, so that only it opens), /Dest with the page and the entry's view, /C and /F.
std::string BuildOutlineItem(std::string_view title, const BookmarkEntry& entry,
                             const OutlineItemObjects& objects, int count);

// The page a named destination shows in a document of `page_count` pages: the last page
// for -1 or a page past the end, the first for any other page below 1.
int ResolveDestinationPage(int page, int page_count);

// One line of the named destinations dictionary: name " [" page " 0 R " view "] ".
std::string BuildNamedDestinationLine(const NamedDestination& destination, int page_object);

}  // namespace pagora
