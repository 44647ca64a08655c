#include "app/billboard_record.h"

namespace pannellonistica {

std::vector<std::string> BillboardKeyList() {
  return {kBillboardKeys.begin(), kBillboardKeys.end()};
}

}  // namespace pannellonistica
