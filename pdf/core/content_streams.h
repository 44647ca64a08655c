#pragma once

#include <string_view>

#include "pdf/core/text_buffer.h"

namespace pagora {

// The three content streams a document builds, and which of them receives operator lines.
// A form object collects content even inside an open page; a tiling pattern comes next;
// then the page. With none of them open, content is dropped.
struct ContentStreams {
  TextBuffer page;
  TextBuffer form_object;
  TextBuffer tiling_pattern;
  bool page_open = false;
  bool form_object_open = false;
  bool tiling_pattern_open = false;

  // The buffer that receives content now, or nullptr when nothing is open.
  TextBuffer* Active() {
    if (form_object_open) return &form_object;
    if (tiling_pattern_open) return &tiling_pattern;
    if (page_open) return &page;
    return nullptr;
  }

  // Appends CR and the operator line to the active stream; dropped when none is open.
  void Append(std::string_view line) {
    if (TextBuffer* target = Active()) {
      target->AppendByte('\r');
      target->Append(line);
    }
  }
};

}  // namespace pagora
