#pragma once

// Helpers of the bookmark, destination and link operations over the document.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/document.h"
#include "pdf/core/table_growth.h"
#include "pdf/interactive/destination_view.h"

namespace pagora {

// A destination's box from user lengths: X = x·k, Y = page height − y·k, width and height
// times k; the zoom as given. RuntimeError 6 on overflow.
ViewBox UserViewBox(const Document& doc, float x, float y, float width, float height, float zoom);

// An annotation's box from user lengths, in points in PDF space: left = x·k, top = page
// height − y·k, right = left + width·k, bottom = top − height·k. RuntimeError 6 on overflow.
Area UserAnnotationBox(const Document& doc, float x, float y, float width, float height);

// The name token of a destination: `prefix` and the caller's name, with the bytes a name
// cannot hold written as "#xx", so that any name makes a well-formed file.
std::string DestinationName(std::string_view prefix, std::string_view name);

// Appends to one of the outline's tables, growing it by the engine's table rule.
// RuntimeError 6 when the table already holds 2^31 - 1 entries.
template <class Entry>
void AppendEntry(std::vector<Entry>& table, Entry entry, std::uint8_t memory_factor) {
  if (table.size() >= INT32_MAX) throw RuntimeError(kOverflow);
  GrowAppendedTable(table, memory_factor);
  table.push_back(std::move(entry));
}

}  // namespace pagora
