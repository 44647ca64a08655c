#pragma once

// Helpers of GetInfo and ImportPage over the document.

#include <memory>
#include <string>

#include "pdf/core/document.h"
#include "pdf/import/pdf_file.h"

namespace pagora {

// A source file found in the document's table or read into it now.
struct SourceOpening {
  int entry = 0;  // its number in the table (from 1); 0 when the file cannot be used
  bool encrypted = false;
  // The file, still open for the caller's further reading; `parsed` once its
  // cross-reference has been read.
  std::unique_ptr<PdfFile> file;
  bool parsed = false;
};

// Finds the file in the table of source files by its upper-cased path, or reads its
// information and page list into a new entry. The file must exist in either case.
// Failures are recorded under "GetInfo" with the path as detail: 53, 76 or 75 when the
// file cannot be opened, 321 when it is not a PDF the engine reads or is encrypted (which
// also sets `encrypted`); the entry is then 0.
SourceOpening OpenSourcePdf(Document& doc, const std::string& path);

// Places page `page` (from 1) of table entry `entry` with its top-left corner at (x, y),
// `width` × `height` user units (0 and 0: one point per point of the source page; one of
// them 0 keeps the page's proportions). The page is written as the form XObject
// "/_PDF_entry.page" the first time, with every object its resources reach copied once per
// source file; later calls only place it. A page that cannot be read records 321 under
// "ImportPage" (detail: `path`) and draws nothing. RuntimeError on a failure to write,
// 11 for a natural size when the unit factor is 0.
void PlaceSourcePage(Document& doc, SourceOpening& opening, const std::string& path, int page,
                     float x, float y, float width, float height);

}  // namespace pagora
