#include "pdf/interactive/form_writer.h"

#include <string>

#include "pdf/core/number_format.h"
#include "pdf/core/table_growth.h"
#include "pdf/core/text_encoding.h"
#include "pdf/graphics/color.h"
#include "pdf/interactive/annotation_writer.h"
#include "pdf/interactive/field_appearance.h"
#include "pdf/interactive/form_field.h"
#include "pdf/text/font_table.h"
#include "pdf/text/text_output.h"

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

// Writes one appearance form; returns its object number.
int WriteAppearanceForm(Document& doc, const FieldLook& look, const std::string& content) {
  const int object = StartObject(doc);
  WriteLine(doc, AppearanceDictionary(look));
  WriteStream(doc, content, 0, "", 0);
  FinishObject(doc);
  return object;
}

// The /AP entries of a field, its streams written first; empty for a field without them.
std::string WriteFieldAppearance(Document& doc, FieldEntry& field) {
  if (!field.with_appearance) return "";
  const std::vector<FontRecord>& fonts = doc.fonts.fonts;
  if (field.font_index >= 1 && static_cast<std::size_t>(field.font_index) <= fonts.size()) {
    field.look.widths = fonts[static_cast<std::size_t>(field.font_index) - 1].widths;
  }
  if (field.kind == kFieldText) {
    const int form = WriteAppearanceForm(
        doc, field.look,
        TextFieldAppearance(field.look, field.value, field.quadding, field.multi_line));
    return " /AP << /N " + std::to_string(form) + " 0 R >> ";
  }
  const int on = WriteAppearanceForm(doc, field.look, ButtonAppearance(field.look, field.caption));
  const int off = WriteAppearanceForm(doc, field.look, ButtonAppearance(field.look, ""));
  return " /AP << /N << /S#EC " + std::to_string(on) + " 0 R /Off " + std::to_string(off) +
         " 0 R >> >> /AS " + (field.checked ? "/S#EC " : "/Off ");
}

}  // namespace

int StandardFontIndex(Document& doc, std::string_view family) {
  const FontRequest request = ResolveFontRequest(family, 0, 0);
  std::vector<FontRecord>& fonts = doc.fonts.fonts;
  if (const int index = FindFont(fonts, request.key, 0); index != 0) return index;
  FontRecord record = MakeFontRecord(request, 0, 0);
  WriteFontResource(doc, record, request.resource_name, {}, {});
  GrowAppendedTable(fonts, doc.memory_factor);
  fonts.push_back(std::move(record));
  return static_cast<int>(fonts.size());
}

void PrepareFieldAppearance(Document& doc, FieldEntry& field, const FieldRequest& request,
                            int da_font, const std::string& text_color) {
  const std::int32_t options = request.options;
  // Rotated boxes and passwords are left to the viewer.
  const bool drawn =
      field.kind == kFieldText || field.kind == kFieldCheckBox || field.kind == kFieldRadioButton;
  if (!drawn || (options & (kFieldRotate90 | kFieldRotate180 | kFieldRotate270)) != 0 ||
      (field.kind == kFieldText && (options & kFieldPassword) != 0)) {
    return;
  }
  FieldLook& look = field.look;
  look.width = request.box.right - request.box.left;
  look.height = request.box.top - request.box.bottom;
  if (IsSolidColor(request.fill_color) && (options & kFieldNoBackground) == 0) {
    look.background = FormatColor(request.fill_color);
  }
  if (IsSolidColor(request.line_color) && (options & kFieldNoBorder) == 0) {
    look.border = FormatColor(request.line_color);
    look.border_width = (options & kFieldBorder2) != 0 ? 2 : (options & kFieldBorder3) != 0 ? 3 : 1;
  }
  look.text_color = text_color;
  if (field.kind == kFieldText) {
    field.font_index = da_font;
    look.font_size = (options & kFieldAutoSize) != 0 ? 0 : doc.fonts.size;
    field.quadding = (options & kFieldAlignRight) != 0    ? 2
                     : (options & kFieldAlignCenter) != 0 ? 1
                                                          : 0;
    field.multi_line = (options & kFieldMultiLine) != 0;
  } else {
    field.font_index = StandardFontIndex(doc, "ZapfDingbats");
    std::string lower = request.value;
    for (char& c : lower) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    field.checked = lower == "true";
  }
  look.font =
      PdfNameToken(doc.fonts.fonts[static_cast<std::size_t>(field.font_index) - 1].resource_name);
  field.with_appearance = true;
}

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
    const std::string appearance = WriteFieldAppearance(doc, fields[i]);
    StartObject(doc, numbers[i]);
    WriteLine(doc, FieldObjectDictionary(fields[i], page_object, encode, appearance));
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
