// Stream objects.
#include <string>

#include "pdf/core/pagora.h"

namespace pagora {

void Pagora::WriteStream(std::string_view data, [[maybe_unused]] int object,
                         std::string_view preset_filter, int length1) {
  if (!preset_filter.empty()) WriteLine("/Filter [" + std::string(preset_filter) + "]");
  if (length1 > 0) WriteLine("/Length1 " + std::to_string(length1));
  std::string head = "/Length " + std::to_string(data.size()) + " >>\rstream";
  writer_.WriteLine(head);
  writer_.WriteBytes(data);
  writer_.WriteLine("\nendstream");
}

}  // namespace pagora
