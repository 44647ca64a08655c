#include "pdf/graphics/optional_content.h"

namespace pagora {

LayerUsage UsageOfLayer(std::string_view name) {
  if (name == "SCREEN") return LayerUsage::kScreen;
  if (name == "PRINTER") return LayerUsage::kPrinter;
  return LayerUsage::kNone;
}

std::string_view LayerUsageLine(LayerUsage usage) {
  switch (usage) {
    case LayerUsage::kScreen:
      return "/Usage <</Print <</PrintState /OFF>> /View <</ViewState /ON>>>>";
    case LayerUsage::kPrinter:
      return "/Usage <</Print <</PrintState /ON>> /View <</ViewState /OFF>>>>";
    case LayerUsage::kNone:
      break;
  }
  return {};
}

bool LayerStartsVisible(LayerUsage usage, bool start_state) {
  if (usage == LayerUsage::kScreen) return true;
  if (usage == LayerUsage::kPrinter) return false;
  return start_state;
}

std::string BuildOptionalContentHead(const OptionalContentLists& lists) {
  // The print and view events name both usage layers, so that printing shows the printer
  // layer and hides the screen layer, and viewing does the opposite.
  std::string usage_layers;
  if (lists.print_layer) usage_layers += std::to_string(*lists.print_layer) + " 0 R ";
  if (lists.screen_layer) usage_layers += std::to_string(*lists.screen_layer) + " 0 R ";
  std::string text = "<</OCGs [" + lists.all + "] /D <</AS [ ";
  if (lists.print_layer) {
    text += "<</Event /Print /OCGs [" + usage_layers + "] /Category [/Print]>> ";
  }
  if (lists.screen_layer) {
    text += "<</Event /View /OCGs [" + usage_layers + "] /Category [/View]>> ";
  }
  text += "]\n/ON [" + lists.on + "] \n/OFF [" + lists.off + "] \n/Order [";
  return text;
}

std::string BuildOptionalContentOrder(const OptionalContentLists& lists) {
  return " " + lists.shown + "]>>  >>";
}

}  // namespace pagora
