#pragma once

// EndDoc's closing steps for the outline and the named destinations.

#include "pdf/core/document_closing.h"

namespace pagora {

// Writes the outline dictionary and one item per bookmark, the top item first, when the
// caller added at least one bookmark; names the dictionary as the catalog's /Outlines and
// tells the catalog how many entries the outline has. The pages must all be written.
void WriteOutlines(Document& doc, DocumentClosing& closing);

// Writes the dictionary of the named destinations, in the order they were defined, when
// there is any, and names it as the catalog's /Dests. Each names a page of the finished
// document: -1 and pages past the end become the last page, pages below 1 the first.
void WriteNamedDestinations(Document& doc, DocumentClosing& closing);

}  // namespace pagora
