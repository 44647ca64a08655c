// The standard families: names, faces and vertical metrics.
#include "pdf/text/standard_font_metrics.h"

namespace pagora {

std::optional<StandardFamily> StandardFamilyNamed(std::string_view upper_name) {
  if (upper_name == "ARIAL" || upper_name == "HELVETICA") return StandardFamily::kArial;
  if (upper_name == "COURIER" || upper_name == "COURIERNEW") return StandardFamily::kCourierNew;
  if (upper_name == "TIMES" || upper_name == "TIMESNEWROMAN") {
    return StandardFamily::kTimesNewRoman;
  }
  if (upper_name == "SYMBOL") return StandardFamily::kSymbol;
  if (upper_name == "ZAPFDINGBATS") return StandardFamily::kZapfDingbats;
  return std::nullopt;
}

std::string_view StandardFamilyName(StandardFamily family) {
  switch (family) {
    case StandardFamily::kArial:
      return "Arial";
    case StandardFamily::kCourierNew:
      return "CourierNew";
    case StandardFamily::kTimesNewRoman:
      return "TimesNewRoman";
    case StandardFamily::kSymbol:
      return "Symbol";
    case StandardFamily::kZapfDingbats:
      return "ZapfDingbats";
  }
  return "Arial";
}

bool FamilyHasStyles(StandardFamily family) {
  return family == StandardFamily::kArial || family == StandardFamily::kCourierNew ||
         family == StandardFamily::kTimesNewRoman;
}

StandardFace FaceOf(StandardFamily family, int style) {
  // Each styled family lists its faces regular, bold, italic, bold italic, so the style's
  // two low bits (bold 1, italic 2) are the offset from the regular face.
  const int offset = style & 3;
  switch (family) {
    case StandardFamily::kArial:
      return static_cast<StandardFace>(static_cast<int>(StandardFace::kHelvetica) + offset);
    case StandardFamily::kTimesNewRoman:
      return static_cast<StandardFace>(static_cast<int>(StandardFace::kTimesRoman) + offset);
    case StandardFamily::kCourierNew:
      return static_cast<StandardFace>(static_cast<int>(StandardFace::kCourier) + offset);
    case StandardFamily::kSymbol:
      return StandardFace::kSymbol;
    case StandardFamily::kZapfDingbats:
      return StandardFace::kZapfDingbats;
  }
  return StandardFace::kHelvetica;
}

FamilyVerticalMetrics VerticalMetricsOf(StandardFamily family) {
  switch (family) {
    case StandardFamily::kArial:
      return {1221, -221};
    case StandardFamily::kCourierNew:
      return {1133, -300};
    case StandardFamily::kTimesNewRoman:
      return {1107, -216};
    case StandardFamily::kSymbol:
      return {1225, -220};
    case StandardFamily::kZapfDingbats:
      return {1221, -221};
  }
  return {1221, -221};
}

}  // namespace pagora
