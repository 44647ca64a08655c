#include "pdf/interactive/outline_writer.h"

#include <vector>

#include "pdf/interactive/outline_links.h"
#include "pdf/interactive/outline_objects.h"

namespace pagora {
namespace {

int PageObject(const Document& doc, int page) {
  return doc.page
      .object_numbers[static_cast<std::size_t>(ResolveDestinationPage(page, doc.page.count))];
}

}  // namespace

void WriteOutlines(Document& doc, DocumentClosing& closing) {
  const std::vector<BookmarkEntry>& entries = doc.outline.bookmarks;
  closing.catalog.outline_entries = static_cast<int>(entries.size());
  if (entries.size() < 2) return;

  std::vector<int> levels;
  levels.reserve(entries.size());
  for (const BookmarkEntry& entry : entries) levels.push_back(entry.level);
  const OutlineTree tree = LinkOutline(levels);

  const int outline = doc.writer.Reserve();
  std::vector<int> objects;
  objects.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) objects.push_back(doc.writer.Reserve());
  const auto object_of = [&objects](int item) {
    return item < 0 ? 0 : objects[static_cast<std::size_t>(item)];
  };

  StartObject(doc, outline);
  WriteLine(doc, BuildOutlineDictionary(objects.front()));
  FinishObject(doc);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const OutlineLinks& links = tree.links[i];
    OutlineItemObjects item;
    item.parent = i == 0 ? outline : object_of(links.parent);
    item.first = object_of(links.first);
    item.last = object_of(links.last);
    item.prev = object_of(links.prev);
    item.next = object_of(links.next);
    item.page = PageObject(doc, entries[i].page);
    StartObject(doc, objects[i]);
    // The title is encrypted under its own item's key.
    WriteLine(doc, BuildOutlineItem(EncodeTextString(doc, entries[i].title), entries[i], item,
                                    i == 0 ? tree.top_children : 0));
    FinishObject(doc);
  }
  closing.catalog.outline_root = outline;
}

void WriteNamedDestinations(Document& doc, DocumentClosing& closing) {
  if (doc.outline.destinations.empty()) return;
  closing.catalog.destinations = StartObject(doc);
  WriteLine(doc, "<<");
  for (const NamedDestination& destination : doc.outline.destinations) {
    WriteLine(doc, BuildNamedDestinationLine(destination, PageObject(doc, destination.page)));
  }
  WriteLine(doc, ">>");
  FinishObject(doc);
}

}  // namespace pagora
