// Optional-content layer sections.
#include <string>

#include "pdf/core/ascii_case.h"
#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/pagora.h"
#include "pdf/core/table_growth.h"

namespace pagora {

void Pagora::BeginLayer(const std::string& layer, bool start_state, bool show_in_list) try {
  Document& doc = *doc_;
  std::vector<LayerEntry>& layers = doc.graphics.reusable.layers;
  const std::string key = AsciiUpperCase(layer);
  std::size_t index = 0;
  while (index < layers.size() && AsciiUpperCase(layers[index].name) != key) ++index;
  if (index == layers.size()) {
    GrowAppendedTable(layers, doc.memory_factor);
    layers.push_back({layer, start_state, show_in_list});
  }
  AppendContent(doc, "/OC /_LAY_" + std::to_string(index + 1) + " BDC");
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::EndLayer() try { AppendContent(*doc_, "EMC"); } catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
