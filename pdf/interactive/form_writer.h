#pragma once

// Writing form fields and scripts into the document: the page's part at EndPage, the
// document's part at EndDoc.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/core/document.h"
#include "pdf/core/document_closing.h"
#include "pdf/core/page_state.h"
#include "pdf/interactive/form_field.h"

namespace pagora {

// The index (from 1) of the document's font record for a standard `family` ("Arial",
// "ZapfDingbats") in WinAnsi, writing its font resource on first use without making it the
// current font.
int StandardFontIndex(Document& doc, std::string_view family);

// Fills the appearance of `field` made from `request`: its box, background and border, the
// /DA font (font record `da_font`, from 1) and size, and the text colour operands. Text
// fields, check boxes and radio buttons that are neither rotated nor passwords get one.
void PrepareFieldAppearance(Document& doc, FieldEntry& field, const FieldRequest& request,
                            int da_font, const std::string& text_color);

// Writes the open and close scripts of the page that is ending and names them in
// `references` for its /AA.
void WritePageScripts(Document& doc, PageReferences& references);

// Reserves one object number per field of the page that is ending and lists them with the
// page's annotations. Called before the page object is numbered, so that in the usual case
// the page follows its fields.
std::vector<int> ReserveFieldObjects(Document& doc);

// Writes the page's fields under the reserved `numbers`, each naming `page_object` as /P,
// lists them in the form's /Fields (and /CO when calculated), and empties the page's table.
void WriteFieldObjects(Document& doc, std::span<const int> numbers, int page_object);

// The document's closing step for forms: one script object per document script (open,
// will close, will save, did save, will print, did print, global), the names object that
// lists the global script as "globalscript", and the catalog's /OpenAction, /AA, /Names and
// /AcroForm.
void WriteDocumentScripts(Document& doc, DocumentClosing& closing);

}  // namespace pagora
