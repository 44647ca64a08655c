// Notes and links: annotation objects written at once and listed by the page.
#include <optional>
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/pagora.h"
#include "pdf/interactive/annotation_text.h"
#include "pdf/interactive/annotation_writer.h"
#include "pdf/interactive/link_target.h"
#include "pdf/interactive/navigation.h"

namespace pagora {
namespace {

// The destination a "page:" or "bookmark:" link goes to, or nullopt when the target names
// no page: a link that would lead nowhere is not written.
std::optional<NamedDestination> LinkDestination(const Document& doc, const LinkTarget& target,
                                                int type, const ViewBox& box) {
  NamedDestination destination;
  if (target.kind == LinkTargetKind::kPage) {
    const std::optional<int> page = ResolveLinkPage(target.argument, doc.page.count);
    if (!page) return std::nullopt;
    destination.page = *page;
    const std::string view = DestinationView(type, box);
    if (!view.empty()) destination.destination = " " + view;
    return destination;
  }
  const std::optional<int> number = ParseBookmarkNumber(target.argument);
  const std::vector<BookmarkEntry>& bookmarks = doc.outline.bookmarks;
  if (!number || *number < 1 || static_cast<std::size_t>(*number) > bookmarks.size()) {
    return std::nullopt;
  }
  const BookmarkEntry& bookmark = bookmarks[static_cast<std::size_t>(*number) - 1];
  destination.page = bookmark.page;
  destination.destination = bookmark.destination;
  return destination;
}

}  // namespace

void Pagora::AddNoteBox(const std::string& text, float x, float y, float width, float height,
                        int alignment, int border_style, float dash, float gap,
                        std::int32_t flags) try {
  Document& doc = *doc_;
  NoteBoxStyle style;
  style.box = UserAnnotationBox(doc, x, y, width, height);
  style.alignment = alignment;
  style.border_style = border_style;
  style.dash = dash;
  style.gap = gap;
  style.flags = flags;
  style.fill_color = doc.graphics.fill_color;
  style.line_width = doc.graphics.line_width;
  const std::string dictionary = NoteBoxDictionary(style);
  const std::string appearance =
      NoteBoxAppearance(AnnotationFontName(doc), doc.fonts.size, doc.graphics.line_color);
  WriteAnnotation(doc, dictionary, text, doc.info.author, appearance, "");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::AddNoteIcon(const std::string& text, int icon, float x, float y, bool open,
                         std::int32_t flags) try {
  Document& doc = *doc_;
  const float left = ToPoints(doc, x);
  const float top = CheckedFloat(double{doc.page.height} - ToPoints(doc, y));
  WriteAnnotation(doc, NoteIconDictionary(left, top, flags, doc.graphics.fill_color, icon, open),
                  text, doc.info.author, "", "");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::LinkTo(const std::string& target, int border_width, int highlight,
                    int destination_type, float x, float y, float width, float height,
                    float zoom) try {
  Document& doc = *doc_;
  const LinkTarget link = ClassifyLinkTarget(target);
  if (link.kind == LinkTargetKind::kNone) return;
  const std::string rectangle = RectangleText(doc.graphics.last_area);
  const std::string border = LinkBorderText(border_width, highlight);

  if (link.kind == LinkTargetKind::kPage || link.kind == LinkTargetKind::kBookmark) {
    std::optional<NamedDestination> destination =
        LinkDestination(doc, link, destination_type, UserViewBox(doc, x, y, width, height, zoom));
    if (!destination) return;
    const std::string number = std::to_string(doc.outline.destinations.size() + 1);
    destination->name = "/_LINK_" + number;
    AppendEntry(doc.outline.destinations, std::move(*destination), doc.memory_factor);
    WriteAnnotation(doc,
                    "<< /Type /Annot\r/Subtype /Link\r/Rect [" + rectangle + "]\r" + border +
                        "/Dest /_LINK_" + number,
                    "", "", "", "");
    return;
  }

  std::string dictionary =
      "<< /Type /Annot\r/Subtype /Link /Rect [" + rectangle + "]\r" + border + "\r";
  switch (link.kind) {
    case LinkTargetKind::kUri:
    case LinkTargetKind::kFile:
      WriteAnnotation(doc, dictionary, "", "", "", target);
      return;
    case LinkTargetKind::kScript:
      dictionary += "/A << /S /JavaScript /JS " +
                    std::to_string(WriteScriptObject(doc, link.argument)) + " 0 R >>";
      break;
    case LinkTargetKind::kLayer:
      dictionary += "/A << /S /JavaScript /JS " +
                    std::to_string(WriteScriptObject(doc, BuildLayerScript(link.argument))) +
                    " 0 R >> ";
      break;
    default:  // kReference
      dictionary += "/Dest " + DestinationName("/_REF_", link.argument);
      break;
  }
  WriteAnnotation(doc, dictionary, "", "", "", "");
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
