#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pdf/core/pagora_codes.h"

namespace pagora {

// Document-wide resource lists; each entry ends with a blank. Subsystems append to them as
// resources are first used, and the document writes them into the two shared resource
// dictionaries at the end.
struct ResourceLists {
  std::string fonts;             // "/F1 5 0 R " ...
  std::string images;            // image XObjects
  std::string form_objects;      // form XObjects
  std::string layer_properties;  // optional-content groups
  std::string ext_gstates;       // transparency states
  std::string patterns;          // gradients and tiling patterns
};

// The resource dictionary line of object 2 (pages, with the patterns and their colour space)
// or of object 3 (tiling patterns, without them).
std::string BuildResourceDictionary(const ResourceLists& lists, bool with_patterns);

// What the catalog names besides the page tree; each subsystem's closing step fills its
// part, and absent parts write nothing.
struct CatalogParts {
  std::optional<int> outline_root;  // /Outlines
  int outline_entries = 1;
  std::string page_labels;  // the /Nums entries of /PageLabels
  std::optional<int> metadata;
  std::optional<int> destinations;  // /Dests
  std::string acro_form;            // the /AcroForm dictionary, "<<" to ">>"
  std::optional<int> names;         // /Names
  std::optional<int> open_script;   // /OpenAction
  std::string document_actions;     // the entries of the document's /AA dictionary
  std::string optional_content;     // the /OCProperties dictionary, "<<" to ">>"
  // When not empty, the catalog continues optional_content with the document title and
  // then this text: the layers' /Order array opens with the title, which is encrypted for
  // the catalog object and so cannot be written before it is begun.
  std::string optional_content_order;
  std::string encoded_title;  // the title as a string of the catalog object
  std::int32_t viewer_flags = 0;
};

// The catalog's lines, joined by LF. `version_bump` receives the minor version the viewer
// preferences need (0 when none).
std::string BuildCatalog(const CatalogParts& parts, int* version_bump);

}  // namespace pagora
