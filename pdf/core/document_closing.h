#pragma once

// The closing steps of the core: the objects EndDoc writes after the last page. Other
// subsystems add their own steps (outline, scripts, layers, destinations) beside these and
// EndDoc calls them all in one fixed order.

#include <optional>

#include "pdf/core/document.h"

namespace pagora {

// What the closing steps hand on to the catalog and the trailer.
struct DocumentClosing {
  CatalogParts catalog;
  std::optional<TrailerEncryption> encryption;
};

// The encryption dictionary of a protected document; nothing otherwise.
void WriteEncryptionDictionary(Document& doc, DocumentClosing& closing);
// The XMP metadata stream.
void WriteMetadata(Document& doc, DocumentClosing& closing);
// Objects 3, 2 and 1: the two shared resource dictionaries and the page tree.
void WriteSharedObjects(Document& doc);
// The catalog; returns its object number.
int WriteCatalog(Document& doc, CatalogParts& parts);
// The information dictionary; returns its object number.
int WriteInfoDictionary(Document& doc);

}  // namespace pagora
