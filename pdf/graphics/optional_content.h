#pragma once

// Exact texts of the optional-content layers: the layer (OCG) objects and the catalog's
// /OCProperties dictionary.

#include <optional>
#include <string>
#include <string_view>

namespace pagora {

// A layer named exactly SCREEN shows on screen only and always starts visible; one named
// exactly PRINTER prints only and always starts hidden.
enum class LayerUsage { kNone, kScreen, kPrinter };
LayerUsage UsageOfLayer(std::string_view name);

// The /Usage line of a layer object; empty for kNone.
std::string_view LayerUsageLine(LayerUsage usage);

// Whether the layer starts visible: its start state, forced by its usage.
bool LayerStartsVisible(LayerUsage usage, bool start_state);

// The layers as the catalog lists them, each reference "n 0 R ".
struct OptionalContentLists {
  std::string all;
  std::string on;
  std::string off;
  std::string shown;  // the layers listed in the viewer's layer panel
  // The last layer of each usage.
  std::optional<int> print_layer;
  std::optional<int> screen_layer;
};

// The /OCProperties dictionary up to and including "/Order [": the layers, the default
// configuration with its automatic print and view states, and the ON and OFF lists.
std::string BuildOptionalContentHead(const OptionalContentLists& lists);
// What follows the document title in /Order: the shown layers and the closing brackets.
std::string BuildOptionalContentOrder(const OptionalContentLists& lists);

}  // namespace pagora
