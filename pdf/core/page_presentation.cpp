#include "pdf/core/page_presentation.h"

#include <array>

namespace pagora {

std::string_view PageLabelStyle(int code) {
  static constexpr std::array<std::string_view, 5> kStyles = {" /S /D", " /S /R", " /S /r",
                                                              " /S /A", " /S /a"};
  return code >= 1 && code <= 5 ? kStyles[code - 1] : std::string_view{};
}

std::string_view TransitionStyle(int code) {
  static constexpr std::array<std::string_view, 17> kStyles = {
      "/S /Split /Dm /H /M /I >> ",
      "/S /Split /Dm /V /M /I >> ",
      "/S /Split /Dm /H /M /O >> ",
      "/S /Split /Dm /V /M /O >> ",
      "/S /Wipe /Di 180 >> ",
      "/S /Wipe /Di 0 >> ",
      "/S /Wipe /Di 270 >> ",
      "/S /Wipe /Di 90 >> ",
      "/S /Box /M /I >> ",
      "/S /Box /M /O >> ",
      "/S /Blinds /Dm /H >> ",
      "/S /Blinds /Dm /V >> ",
      "/S /Dissolve >> ",
      "/S /Glitter /Di 0 >> ",
      "/S /Glitter /Di 270 >> ",
      "/S /Glitter /Di 315 >> ",
      "/S /R >> ",
  };
  return code >= 1 && code <= 17 ? kStyles[code - 1] : std::string_view{};
}

}  // namespace pagora
