// The PDF parser must stay inside its input and its limits, finish, and answer every
// request with a status: open the file, list its pages, read each page's inherited
// attributes and content, and every object its resources reach.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "pdf/import/byte_source.h"
#include "pdf/import/page_tree.h"
#include "pdf/import/pdf_file.h"
#include "pdf/import/references.h"
#include "pdf/import/source_info.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Small limits keep each run quick; the real ones are exercised by the unit tests.
pagora::PdfLimits FuzzLimits() {
  pagora::PdfLimits limits;
  limits.max_object_bytes = std::size_t{1} << 16;
  limits.max_stream_bytes = std::size_t{1} << 20;
  limits.max_xref_sections = 64;
  return limits;
}

constexpr std::size_t kMaxPages = 32;

void ReadPage(pagora::PdfFile& file, std::uint32_t page) {
  std::string dictionary;
  if (file.ReadObjectText(page, dictionary) != pagora::PdfStatus::kOk) return;
  std::string value;
  for (const char* key : {"MediaBox", "CropBox", "Rotate", "Resources"}) {
    if (pagora::GetInheritedValue(file, dictionary, key, value) != pagora::PdfStatus::kOk) {
      value.clear();
    }
  }
  std::vector<std::uint8_t> content;
  if (pagora::ReadPageContent(file, dictionary, content) == pagora::PdfStatus::kOk) {
    Require(content.size() <= file.limits().max_stream_bytes);
  }
  std::vector<std::uint32_t> objects;
  pagora::CollectReferencedObjects(
      file, value, [](std::uint32_t) { return false; }, objects);
  for (const std::uint32_t number : objects) {
    pagora::PdfObject object;
    if (file.ReadObject(number, object) != pagora::PdfStatus::kOk) continue;
    Require(object.stream.size() <= file.limits().max_stream_bytes);
    pagora::RenumberReferences(object.text, [](pagora::ObjectRef ref) { return ref.number; });
    std::vector<std::uint8_t> decoded;
    if (object.has_stream && file.DecodeStream(object, decoded) == pagora::PdfStatus::kOk) {
      Require(decoded.size() <= file.limits().max_stream_bytes);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pagora::PdfFile file(
      std::make_unique<pagora::MemoryByteSource>(std::span<const std::uint8_t>(data, size)),
      FuzzLimits());
  if (file.Open() != pagora::PdfStatus::kOk) return 0;
  pagora::SourceInfo info;
  pagora::ReadSourceInfo(file, info);
  std::vector<std::uint32_t> pages;
  pagora::CollectPages(file, pages);
  for (std::size_t i = 0; i < pages.size() && i < kMaxPages; ++i) ReadPage(file, pages[i]);
  return 0;
}
