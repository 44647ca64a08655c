#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pdf/import/source_info.h"

namespace pagora {

// A source page written as a form XObject, and the size it is placed with: its visible
// box in points, turned as the page's /Rotate turns it.
struct ImportedPage {
  int object = 0;
  double width = 0;
  double height = 0;
};

// One source PDF file read by GetInfo or ImportPage. Only what later calls need is kept:
// the file itself is opened again, and closed, inside each operation that reads it.
struct SourcePdfEntry {
  std::string name;  // the path upper-cased: the key the file is found again by
  int version_level = 0;
  std::vector<std::uint32_t> pages;  // page objects in reading order
  SourceInfo info;
  // Output object number of each source object copied so far, so that resources shared
  // by several pages are copied once.
  std::unordered_map<std::uint32_t, int> import_map;
  // The pages (numbered from 1) already written as form XObjects.
  std::unordered_map<int, ImportedPage> imported_pages;
};

// The source files of the document being built; entry d (from 1) names its imported pages
// "/_PDF_d.p". Encrypted or unreadable files get no entry.
struct SourcePdfTable {
  std::vector<SourcePdfEntry> entries;
};

// The number (from 1) of the entry with this upper-cased name, or 0 when there is none.
inline int FindSourcePdf(const SourcePdfTable& table, std::string_view upper_name) {
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    if (table.entries[i].name == upper_name) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace pagora
