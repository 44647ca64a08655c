#include "pdf/interactive/form_writer.h"

#include <string>

#include "pdf/interactive/annotation_writer.h"
#include "pdf/interactive/form_field.h"

namespace pagora {
namespace {

std::string Reference(int object) {
  return std::to_string(object) + " 0 R ";
}

std::optional<int> WriteScriptIfAny(Document& doc, DocumentEvent slot) {
  const std::string& script = doc.forms.scripts[slot];
  if (script.empty()) return std::nullopt;
  return WriteScriptObject(doc, script);
}

}  // namespace

void WritePageScripts(Document& doc, PageReferences& references) {
  references.open_script = WriteScriptIfAny(doc, kScriptPageOpen);
  references.close_script = WriteScriptIfAny(doc, kScriptPageClose);
}

std::vector<int> ReserveFieldObjects(Document& doc) {
  std::vector<int> numbers;
  numbers.reserve(doc.forms.page_fields.size());
  for (std::size_t i = 0; i < doc.forms.page_fields.size(); ++i) {
    numbers.push_back(doc.writer.Reserve());
    // A field's /P names this page, so the page lists it even while a form object is being
    // recorded: a field on no page could be neither seen nor filled.
    doc.page.annotations += Reference(numbers.back());
  }
  return numbers;
}

void WriteFieldObjects(Document& doc, std::span<const int> numbers, int page_object) {
  std::vector<FieldEntry>& fields = doc.forms.page_fields;
  const StringEncoder encode = [&doc](std::string_view text) {
    return EncodeTextString(doc, text);
  };
  for (std::size_t i = 0; i < fields.size() && i < numbers.size(); ++i) {
    StartObject(doc, numbers[i]);
    WriteLine(doc, FieldObjectDictionary(fields[i], page_object, encode));
    FinishObject(doc);
    doc.forms.field_list += Reference(numbers[i]);
    if (fields[i].calculated && !fields[i].events.empty()) {
      doc.forms.calculation_order += Reference(numbers[i]);
    }
  }
  fields.clear();
}

void WriteDocumentScripts(Document& doc, DocumentClosing& closing) {
  CatalogParts& catalog = closing.catalog;
  catalog.open_script = WriteScriptIfAny(doc, kScriptDocumentOpen);

  // Written in this order; the catalog's /AA lists them as /WC, /WS, /DS, /WP, /DP.
  struct DocumentAction {
    DocumentEvent slot;
    const char* key;
  };
  static constexpr DocumentAction kActions[] = {{kScriptWillClose, "WC"},
                                                {kScriptWillSave, "WS"},
                                                {kScriptDidSave, "DS"},
                                                {kScriptWillPrint, "WP"},
                                                {kScriptDidPrint, "DP"}};
  for (const DocumentAction& action : kActions) {
    if (const std::optional<int> script = WriteScriptIfAny(doc, action.slot)) {
      catalog.document_actions += std::string(" /") + action.key +
                                  " << /Type /Action /S /JavaScript /JS " +
                                  std::to_string(*script) + " 0 R >>\r";
    }
  }

  if (const std::optional<int> global = WriteScriptIfAny(doc, kScriptGlobal)) {
    const int names = StartObject(doc);
    // The key is a string of this object: encrypted in a protected document like any other.
    WriteLine(doc, "<< /JavaScript << /Names [ " + EncodeTextString(doc, "globalscript") +
                       " << /S /JavaScript /JS " + std::to_string(*global) + " 0 R >> ] >> >>");
    FinishObject(doc);
    catalog.names = names;
  }

  if (!doc.forms.field_list.empty()) {
    catalog.acro_form = "<</NeedAppearances true /Fields [" + doc.forms.field_list + "] /CO [" +
                        doc.forms.calculation_order + "] /DR << /Font <<\r" + doc.resources.fonts +
                        ">> >> >>";
  }
}

}  // namespace pagora
