#include "pdf/core/page_geometry.h"

#include <array>

namespace pagora {
namespace {

// Codes 0..17, portrait before landscape; A4 is 596 wide, not 595.
constexpr std::array<PaperSize, 18> kPositiveCodes = {{
    {596, 842},
    {842, 596},  // A4
    {421, 596},
    {596, 421},  // A5
    {298, 421},
    {421, 298},  // A6
    {210, 298},
    {298, 210},  // A7
    {612, 792},
    {792, 612},  // Letter
    {792, 1224},
    {1224, 792},  // Tabloid, Ledger
    {612, 1008},
    {1008, 612},  // Legal
    {396, 612},
    {612, 396},  // Statement
    {522, 756},
    {756, 522},  // Executive
}};

// Codes -1..-8, landscape before portrait.
constexpr std::array<PaperSize, 8> kNegativeCodes = {{
    {1192, 842},
    {842, 1192},  // A3
    {1685, 1192},
    {1192, 1685},  // A2
    {2384, 1685},
    {1685, 2384},  // A1
    {3371, 2384},
    {2384, 3371},  // A0
}};

}  // namespace

std::optional<PaperSize> StandardPaperSize(int code) {
  if (code >= 0 && code < static_cast<int>(kPositiveCodes.size())) return kPositiveCodes[code];
  if (code < 0 && -code <= static_cast<int>(kNegativeCodes.size()))
    return kNegativeCodes[-code - 1];
  return std::nullopt;
}

std::optional<float> StandardUnitFactor(int code) {
  switch (code) {
    case 0:
      return 1.0f;
    case 1:
      return 72.0f;
    case 2:
      return 2.8346455f;  // 72 / 25.4
    case 3:
      return 28.346457f;  // 72 / 2.54
    default:
      return std::nullopt;
  }
}

std::string_view RotationEntry(int code) {
  switch (code) {
    case 1:
      return "/Rotate 270";
    case 2:
      return "/Rotate 180";
    case 3:
      return "/Rotate 90";
    default:
      return {};
  }
}

}  // namespace pagora
