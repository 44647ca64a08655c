// Document information, page labels, transitions and viewer preferences. These only store
// what EndDoc and EndPage write.
#include <string>

#include "pdf/core/document.h"
#include "pdf/core/error_boundary.h"
#include "pdf/core/number_format.h"
#include "pdf/core/page_presentation.h"
#include "pdf/core/pagora.h"

namespace pagora {

void Pagora::SetDocProperty(const std::string& title, const std::string& subject,
                            const std::string& author, const std::string& creator,
                            const std::string& producer, const std::string& keywords) try {
  doc_->info.title = title;
  // The outline's top item stands for the whole document.
  doc_->outline.bookmarks.front().title = title;
  doc_->info.subject = subject;
  doc_->info.keywords = keywords;
  if (!author.empty()) doc_->info.author = author;
  if (!creator.empty()) doc_->info.creator = creator;
  if (!producer.empty()) doc_->info.producer = producer;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetViewerPreferences(std::int32_t flags) try {
  doc_->viewer_flags = flags;
} catch (...) {
  RethrowAsRuntimeError();
}

void Pagora::SetLabel(int style, const std::string& prefix, int first) try {
  if (PageLabelStyle(style).empty()) return;
  if (first < -1 || first > 32767) throw RuntimeError(kOverflow);
  // The label starts at the open page, or at the next one; indexes count from 0.
  const int index = doc_->content.page_open ? doc_->page.count - 1 : doc_->page.count;
  // The prefix is kept as given and encoded when the catalog is written, so that in a
  // protected document it is encrypted under the catalog's own key.
  doc_->page_labels.push_back({index, style, prefix, first});
} catch (...) {
  RethrowAsRuntimeError();
}

std::string FormatPageLabels(const Document& doc) {
  std::string list;
  for (const PageLabel& label : doc.page_labels) {
    list += std::to_string(label.page_index) + " << ";
    list += PageLabelStyle(label.style);
    if (!label.prefix.empty()) list += " /P " + EncodeTextString(doc, label.prefix);
    if (label.first != -1) list += " /St " + std::to_string(label.first);
    list += " >> ";
  }
  return list;
}

void Pagora::SetPageTransition(int code, float display, float effect) try {
  PageTransition transition;
  // Codes outside 1..17 have no style: a transition dictionary without one is malformed.
  if (const std::string_view style = TransitionStyle(code); !style.empty()) {
    transition.text = "<< /Type /Trans /D " + FormatNumber(effect) + " " + std::string(style);
    transition.display_duration = display;
    FormatNumber(display);  // a duration that cannot be written fails here, not in EndPage
  }
  if (doc_->content.page_open) {
    doc_->page.transition = std::move(transition);
  } else {
    doc_->page.default_transition = std::move(transition);
  }
} catch (...) {
  RethrowAsRuntimeError();
}

}  // namespace pagora
