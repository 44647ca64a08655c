#include "pdf/core/document_closing.h"

#include <string>

#include "pdf/core/document_info.h"

namespace pagora {

void WriteEncryptionDictionary(Document& doc, DocumentClosing& closing) {
  if (!doc.security.on()) return;
  const int dictionary = StartObject(doc);
  WriteLine(doc, doc.security.DictionaryText());
  FinishObject(doc);
  closing.encryption = doc.security.Trailer(dictionary);
}

void WriteMetadata(Document& doc, DocumentClosing& closing) {
  closing.catalog.metadata = StartObject(doc);
  WriteLine(doc, "<< /Type /Metadata /Subtype /XML");
  WriteStream(doc, BuildXmpPacket(doc.info), 0, "", 0);
  FinishObject(doc);
}

void WriteSharedObjects(Document& doc) {
  StartObject(doc, PdfObjectWriter::kPatternResourcesObject);
  WriteLine(doc, BuildResourceDictionary(doc.resources, /*with_patterns=*/false));
  FinishObject(doc);
  StartObject(doc, PdfObjectWriter::kPageResourcesObject);
  WriteLine(doc, BuildResourceDictionary(doc.resources, /*with_patterns=*/true));
  FinishObject(doc);
  StartObject(doc, PdfObjectWriter::kPageTreeObject);
  WriteLine(doc, "<<\r/Type /Pages /Count " + std::to_string(doc.page.count) + "\r/Kids [" +
                     doc.page.kids + "] \r>>");
  FinishObject(doc);
}

int WriteCatalog(Document& doc, CatalogParts& parts) {
  const int catalog = StartObject(doc);
  parts.page_labels = FormatPageLabels(doc);
  parts.viewer_flags = doc.viewer_flags;
  parts.encoded_title = EncodeTextString(doc, doc.info.title);
  int catalog_version = 0;
  WriteLine(doc, BuildCatalog(parts, &catalog_version));
  RequireVersion(doc, catalog_version);
  FinishObject(doc);
  return catalog;
}

int WriteInfoDictionary(Document& doc) {
  const int info = StartObject(doc);
  const DocumentInfo& i = doc.info;
  WriteLine(doc, BuildInfoDictionary(
                     {EncodeTextString(doc, i.title), EncodeTextString(doc, i.author),
                      EncodeTextString(doc, i.creator), EncodeTextString(doc, i.producer),
                      EncodeTextString(doc, i.creation_date), EncodeTextString(doc, i.subject),
                      EncodeTextString(doc, i.keywords)}));
  FinishObject(doc);
  return info;
}

}  // namespace pagora
