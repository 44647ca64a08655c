#pragma once

#include "pdf/core/document_closing.h"

namespace pagora {

// EndDoc's layer step: one optional-content group object per layer in creation order,
// their /_LAY_n entries in the shared resources, the catalog's /OCProperties, and PDF 1.5.
// Nothing when the document has no layer.
void WriteLayers(Document& doc, DocumentClosing& closing);

}  // namespace pagora
