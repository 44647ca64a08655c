#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/import/pdf_file.h"

namespace pagora {

// Appends the object numbers of the document's pages, in reading order, walking the page
// tree from the catalog's /Pages. A node is a /Pages node when its /Type says so (or,
// lacking /Type, when it has /Kids); anything else is a page. /Kids may be a reference to
// an array. kCycle when a node or page is reached twice, kTooDeep past kMaxPdfNesting
// levels, kMissingObject for a missing catalog or node.
PdfStatus CollectPages(PdfFile& file, std::vector<std::uint32_t>& pages);

// The value of a page attribute that may be inherited (/Resources, /MediaBox, /CropBox,
// /Rotate): looked up in `dictionary`, then through each /Parent in turn. A reference
// standing for the whole value is resolved, so /MediaBox 7 0 R gives "[0 0 612 792]".
// Empty when no ancestor has the key. kCycle when the /Parent chain comes back on itself.
PdfStatus GetInheritedValue(PdfFile& file, std::string_view dictionary, std::string_view key,
                            std::string& value);

// The page's content: every stream of /Contents (one reference, or an array of them,
// itself possibly a reference), each with its filters undone, joined with an LF between
// them. Empty for a page without /Contents. kUnsupportedFilter when a content stream uses
// a filter the engine cannot decode; kTooLarge past the file's stream limit in total.
PdfStatus ReadPageContent(PdfFile& file, std::string_view page, std::vector<std::uint8_t>& content);

// Four numbers of a rectangle such as /MediaBox ("[0 0 612 792]"); false for anything else.
bool ParseRectangle(std::string_view text, double (&box)[4]);

}  // namespace pagora
