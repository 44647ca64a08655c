#pragma once

#include <string>

#include "pdf/import/pdf_file.h"

namespace pagora {

// The document information of a source file, as Windows-1252 text.
struct SourceInfo {
  std::string title;
  std::string author;
  std::string subject;
  std::string creator;
  std::string producer;
};

// Reads /Title, /Author, /Subject, /Creator and /Producer from the trailer's /Info
// dictionary; a value may be a reference to a string. Entries that are missing, or not
// strings, stay empty, as all do for a file without /Info.
PdfStatus ReadSourceInfo(PdfFile& file, SourceInfo& info);

}  // namespace pagora
