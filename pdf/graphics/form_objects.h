#pragma once

// Glue between form objects and pages: annotations recorded with a form object, and the
// page templates.

#include "pdf/core/document.h"

namespace pagora {

// Registers annotation object `object` with what is being drawn: the form object being
// recorded, whose annotations join every page it is later drawn on as a template, or else
// the open page's /Annots.
void RegisterAnnotation(Document& doc, int object);

// Draws into the open page the written form objects whose template flags select it, at the
// page's start (`at_end` false) or end, in creation order, and adds their annotations to
// the page. A form object being recorded is never drawn, so none can contain itself.
void PlayTemplates(Document& doc, bool at_end);

// The content line that places form object `name`: "q /name Do Q", the name as a PDF name
// token, case kept.
std::string FormObjectPlacement(std::string_view name);

}  // namespace pagora
