#include "pdf/import/source_info.h"

namespace pagora {
namespace {

PdfStatus ReadTextEntry(PdfFile& file, std::string_view dictionary, std::string_view key,
                        std::string& text) {
  text.clear();
  PdfValue value = LookupKey(dictionary, key);
  std::string target;
  if (value.kind == ValueKind::kReference) {
    const PdfStatus status = file.ReadObjectText(value.ref.number, target);
    if (status == PdfStatus::kMissingObject) return PdfStatus::kOk;  // a missing object is null
    if (status != PdfStatus::kOk) return status;
    value = ParseText(target).ReadValue();
  }
  if (value.kind == ValueKind::kString) text = std::move(value.text);
  return PdfStatus::kOk;
}

}  // namespace

PdfStatus ReadSourceInfo(PdfFile& file, SourceInfo& info) {
  info = SourceInfo{};
  if (file.info().number == 0) return PdfStatus::kOk;
  std::string dictionary;
  PdfStatus status = file.ReadObjectText(file.info().number, dictionary);
  if (status == PdfStatus::kMissingObject) return PdfStatus::kOk;
  if (status != PdfStatus::kOk) return status;
  const struct {
    const char* key;
    std::string* text;
  } entries[] = {{"Title", &info.title},
                 {"Author", &info.author},
                 {"Subject", &info.subject},
                 {"Creator", &info.creator},
                 {"Producer", &info.producer}};
  for (const auto& entry : entries) {
    status = ReadTextEntry(file, dictionary, entry.key, *entry.text);
    if (status != PdfStatus::kOk) return status;
  }
  return PdfStatus::kOk;
}

}  // namespace pagora
