#include "tests/support/document_capture.h"

#include <stdexcept>

#include "tests/support/pdf_checker.h"

namespace pagora::testing {

LocalTime FixedTestTime() {
  return {2026, 12, 7, 10, 30, 15};
}

void WriteOnePage(const std::filesystem::path& path, const std::function<void(Pagora&)>& draw) {
  Pagora doc(FixedTestTime);
  doc.BeginDoc(path.string());
  if (doc.ErrNumber() != 0) throw std::runtime_error(doc.ErrDescription());
  doc.BeginPage();
  draw(doc);
  doc.EndDoc();
}

std::string CaptureContent(const std::function<void(Pagora&)>& draw) {
  TempDir dir;
  const auto path = dir / "capture.pdf";
  WriteOnePage(path, draw);
  const std::string file = ReadFileBytes(path);
  // The page's content stream is the first stream of the file.
  const std::string start_mark = "0 0 0 rg\r0 0 0 RG";
  const std::size_t start = file.find(start_mark);
  const std::size_t end = file.find("\nendstream", start);
  if (start == std::string::npos || end == std::string::npos)
    throw std::runtime_error("no content");
  return file.substr(start + start_mark.size(), end - start - start_mark.size());
}

}  // namespace pagora::testing
