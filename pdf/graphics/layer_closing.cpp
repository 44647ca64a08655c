#include "pdf/graphics/layer_closing.h"

#include <string>

#include "pdf/graphics/optional_content.h"

namespace pagora {

void WriteLayers(Document& doc, DocumentClosing& closing) {
  const std::vector<LayerEntry>& layers = doc.graphics.reusable.layers;
  if (layers.empty()) return;
  OptionalContentLists lists;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const LayerEntry& layer = layers[i];
    const int object = StartObject(doc);
    WriteLine(doc, "<</Type /OCG /Name " + EncodeTextString(doc, layer.name));
    const LayerUsage usage = UsageOfLayer(layer.name);
    if (usage != LayerUsage::kNone) WriteLine(doc, LayerUsageLine(usage));
    if (usage == LayerUsage::kScreen) lists.screen_layer = object;
    if (usage == LayerUsage::kPrinter) lists.print_layer = object;
    WriteLine(doc, ">>");
    FinishObject(doc);

    const std::string reference = std::to_string(object) + " 0 R ";
    doc.resources.layer_properties += "/_LAY_" + std::to_string(i + 1) + " " + reference;
    lists.all += reference;
    if (layer.show_in_list) lists.shown += reference;
    (LayerStartsVisible(usage, layer.start_state) ? lists.on : lists.off) += reference;
  }
  RequireVersion(doc, 2);
  closing.catalog.optional_content = BuildOptionalContentHead(lists);
  closing.catalog.optional_content_order = BuildOptionalContentOrder(lists);
}

}  // namespace pagora
