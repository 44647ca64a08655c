#include "pdf/import/pdf_status.h"

namespace pagora {

const char* PdfStatusName(PdfStatus status) {
  switch (status) {
    case PdfStatus::kOk:
      return "ok";
    case PdfStatus::kReadError:
      return "read error";
    case PdfStatus::kMalformed:
      return "malformed";
    case PdfStatus::kOutOfRange:
      return "out of range";
    case PdfStatus::kMissingObject:
      return "missing object";
    case PdfStatus::kCycle:
      return "cycle";
    case PdfStatus::kTooDeep:
      return "too deep";
    case PdfStatus::kTooLarge:
      return "too large";
    case PdfStatus::kUnsupportedFilter:
      return "unsupported filter";
  }
  return "unknown";
}

}  // namespace pagora
