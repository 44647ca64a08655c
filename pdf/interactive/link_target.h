#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pagora {

// What a LinkTo target asks for, told by its leading characters (case matters).
enum class LinkTargetKind {
  kNone,       // not understood: the link is not written
  kUri,        // "mailto:", "http:" or "https:" address, kept whole in a URI action
  kFile,       // "file:" another PDF file, opened at its first page
  kScript,     // "script:" a script run on click
  kLayer,      // "layer:" layers switched on, off or over: ON(a,b)OFF(c)TOGGLE(d)
  kReference,  // "ref:" a destination named by DefineRef
  kBookmark,   // "bookmark:" the destination of a bookmark, "@n" as AddBookmark returned
  kPage,       // "page:" a page: "+k"/"-k" from the current one, "#FIRST", "#LAST",
               // "#NEXT", "#PREV" (any case), or an absolute number
};

struct LinkTarget {
  LinkTargetKind kind = LinkTargetKind::kNone;
  std::string_view argument;  // what follows the prefix; for kUri the whole target
};

LinkTarget ClassifyLinkTarget(std::string_view target);

// The page a "page:" argument names, seen from page `current_page`: -1 stands for the last
// page of the finished document. Offsets that fall below page 1 give page 1. An unknown
// keyword, or an absolute number below 1 or missing, names no page: nullopt.
std::optional<int> ResolveLinkPage(std::string_view argument, int current_page);

// The bookmark number of a "bookmark:" argument: "@" and decimal digits only; nullopt for
// anything else.
std::optional<int> ParseBookmarkNumber(std::string_view argument);

// The script that switches the layers named in `switches`, such as
// "ON(a,b)OFF(c)TOGGLE(d)": blanks are removed, each of ON, OFF and TOGGLE takes the names
// of its first occurrence up to the next ")" (or the end), and every name, upper-cased,
// gets one line comparing it with each layer's name in the viewer's list.
std::string BuildLayerScript(std::string_view switches);

}  // namespace pagora
