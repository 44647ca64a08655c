#include "pdf/interactive/outline_objects.h"

namespace pagora {
namespace {

void AppendLink(std::string& text, std::string_view key, int object) {
  if (object == 0) return;
  text += key;
  text += std::to_string(object);
  text += " 0 R\r";
}

}  // namespace

std::string BuildOutlineDictionary(int top_item) {
  const std::string reference = std::to_string(top_item) + " 0 R";
  return "<< /Count 1 /First " + reference + " /Last " + reference + " >>";
}

std::string BuildOutlineItem(std::string_view title, const BookmarkEntry& entry,
                             const OutlineItemObjects& objects, int count) {
  std::string text = "<< /Title ";
  text += title;
  text += "\r/Parent " + std::to_string(objects.parent) + " 0 R\r";
  AppendLink(text, "/First ", objects.first);
  AppendLink(text, "/Last ", objects.last);
  AppendLink(text, "/Prev ", objects.prev);
  AppendLink(text, "/Next ", objects.next);
  if (count != 0) text += "/Count " + std::to_string(count) + "\r";
  if (!entry.destination.empty()) {
    text += "/Dest [" + std::to_string(objects.page) + " 0 R " + entry.destination + "]\r";
  }
  if (!entry.color.empty()) text += "/C [" + entry.color + "]\r";
  if (entry.style != 0) text += "/F " + std::to_string(entry.style) + "\r";
  text += ">>";
  return text;
}

int ResolveDestinationPage(int page, int page_count) {
  if (page == -1 || page >= page_count) return page_count;
  return page < 1 ? 1 : page;
}

std::string BuildNamedDestinationLine(const NamedDestination& destination, int page_object) {
  return destination.name + " [" + std::to_string(page_object) + " 0 R " + destination.destination +
         "] ";
}

}  // namespace pagora
