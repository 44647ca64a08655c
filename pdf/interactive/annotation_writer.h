#pragma once

// Writing annotations and scripts into the document: shared by notes, links and form
// fields.

#include <optional>
#include <string>
#include <string_view>

#include "pdf/core/document.h"

namespace pagora {

// Writes one annotation object at once and registers it (RegisterAnnotation: with the form
// object being recorded, or else with the open page).
// `dictionary` is the dictionary up to its closing ">>"; this adds, as strings encrypted
// for the new object, /T `title`, /Contents `contents` and /DA `appearance` when they are
// not empty, then for a `target` starting with "file:" a /GoToR action to the file named
// after the prefix, for any other non-empty target a /URI action with the whole target,
// and /P naming the page it lies on. Returns its object number. RuntimeError on a write
// failure.
int WriteAnnotation(Document& doc, std::string_view dictionary, std::string_view contents,
                    std::string_view title, std::string_view appearance, std::string_view target);

// Writes `script` as a stream object (the document's compression and encryption apply)
// and returns its object number, for /JS entries of actions.
int WriteScriptObject(Document& doc, std::string_view script);

// The object number of the open page, reserved now when nothing named it yet: EndPage
// writes the page under this number. nullopt when no page is open (or a form object is
// being recorded, whose annotations belong to every page that draws it).
std::optional<int> OpenPageObject(Document& doc);

// The resource name, as a name token without its "/", of the current font; with none
// selected, of Arial, which is added to the document's fonts for the purpose without
// becoming current.
std::string AnnotationFontName(Document& doc);

}  // namespace pagora
