#include "pdf/core/pagora.h"

#include "pdf/core/text_encoding.h"

namespace pagora {

std::string Pagora::EncodeTextString(std::string_view text) const {
  return "(" + EscapeString(text) + ")";
}

}  // namespace pagora
