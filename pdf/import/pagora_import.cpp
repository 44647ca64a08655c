// Document information and pages of other PDF files.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/import/page_import.h"

namespace pagora {

int Pagora::GetInfo(const std::string& file, std::string& title, std::string& subject,
                    std::string& author, bool& encrypted) try {
  Document& doc = *doc_;
  const SourceOpening opening = OpenSourcePdf(doc, file);
  encrypted = opening.encrypted;
  if (opening.entry == 0) {
    title.clear();
    subject.clear();
    author.clear();
    return 0;
  }
  const SourcePdfEntry& entry = doc.imports.entries[opening.entry - 1];
  title = entry.info.title;
  subject = entry.info.subject;
  author = entry.info.author;
  return static_cast<int>(entry.pages.size());
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::ImportPage(const std::string& file, int page, float x, float y, float width,
                        float height) try {
  Document& doc = *doc_;
  SourceOpening opening = OpenSourcePdf(doc, file);
  if (opening.entry == 0) return;
  PlaceSourcePage(doc, opening, file, page, x, y, width, height);
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
