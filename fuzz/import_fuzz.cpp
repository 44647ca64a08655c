// Page import must survive any source file: GetInfo and ImportPage of every page of the
// fuzzer's bytes, through the facade, into a document that is finished each time. Failures
// are recorded, never thrown, and nothing may crash, hang or read outside the file.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "pdf/core/pagora.h"

namespace {

constexpr int kMaxPages = 16;

const std::filesystem::path& WorkFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "import-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return std::filesystem::path(pattern);
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source = (WorkFolder() / "source.pdf").string();
  std::ofstream(source, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  pagora::Pagora doc([] { return pagora::LocalTime{2026, 1, 2, 3, 4, 5}; });
  // The last byte chooses a protected output, whose copies are encrypted.
  if (size > 0 && (data[size - 1] & 1) != 0) doc.SetProtection(4, "owner", "");
  doc.BeginDoc((WorkFolder() / "out.pdf").string());
  doc.BeginPage();
  std::string title, subject, author;
  bool encrypted = false;
  const int pages = doc.GetInfo(source, title, subject, author, encrypted);
  if (pages < 0 || (pages > 0 && encrypted)) std::abort();
  for (int page = 1; page <= std::min(pages, kMaxPages); ++page) {
    doc.ImportPage(source, page, 10, 10, 100, 0);
    doc.ImportPage(source, page, 0, 0);  // the second time only places it
  }
  doc.EndDoc();
  return 0;
}
