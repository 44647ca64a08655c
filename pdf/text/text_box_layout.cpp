// Paragraph splitting and line wrapping of text boxes.
#include "pdf/text/text_box_layout.h"

namespace pagora {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string CollapseSpaces(std::string_view text) {
  std::string collapsed;
  collapsed.reserve(text.size());
  for (const char c : text) {
    if (c != ' ' || collapsed.empty() || collapsed.back() != ' ') collapsed += c;
  }
  return collapsed;
}

// Paragraphs as views into `text`. An empty paragraph that follows a line break is a
// single space, so that it still takes a line.
std::vector<std::string_view> SplitParagraphs(std::string_view text) {
  std::vector<std::string_view> paragraphs;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(kLineBreak, start);
    std::string_view paragraph =
        text.substr(start, end == std::string_view::npos ? end : end - start);
    if (paragraph.empty() && start > 0) paragraph = " ";
    paragraphs.push_back(paragraph);
    if (end == std::string_view::npos) return paragraphs;
    start = end + kLineBreak.size();
  }
}

std::vector<std::string_view> SplitWords(std::string_view paragraph) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = paragraph.find(' ', start);
    words.push_back(paragraph.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return words;
    start = end + 1;
  }
}

}  // namespace

TextBoxLayout LayoutTextBox(std::string_view text, const TextMeasure& measure,
                            const TextBoxFrame& frame) {
  TextBoxLayout layout;
  bool continuation = !text.empty() && text.front() == kContinuationMarker;
  if (continuation) text.remove_prefix(1);
  const std::string prepared =
      (frame.align & kAlignJustify) ? CollapseSpaces(text) : std::string(text);
  const std::vector<std::string_view> paragraphs = SplitParagraphs(prepared);
  const bool wraps = (frame.align & (kAlignShrink | kAlignFit)) == 0;
  const float space = measure.Length(" ");

  std::vector<float> widths;
  for (std::size_t p = 0; p < paragraphs.size(); ++p) {
    const std::vector<std::string_view> words = SplitWords(paragraphs[p]);
    widths.clear();
    for (const std::string_view word : words) widths.push_back(measure.Length(word));

    bool first_line = true;
    std::size_t next = 0;
    while (next < words.size()) {
      TextBoxLine line;
      line.first_of_paragraph = first_line && !continuation;
      float line_width = widths[next] + (line.first_of_paragraph ? frame.indentation : 0.0f);
      line.text = words[next++];
      float gaps = 0;
      while (next < words.size()) {
        if (wraps && (gaps + 1) * space + line_width + widths[next] > frame.width) break;
        line.text += ' ';
        line.text += words[next];
        line_width += widths[next++];
        ++gaps;
      }
      line.last_of_paragraph = next == words.size();
      layout.lines.push_back(std::move(line));
      first_line = false;
      continuation = false;

      const auto lines = static_cast<float>(layout.lines.size());
      if (frame.height > 0 && (lines + 1) * frame.line_height > frame.height) {
        if (next < words.size()) {
          layout.rest += kContinuationMarker;
          for (std::size_t w = next; w < words.size(); ++w) {
            if (w > next) layout.rest += ' ';
            layout.rest += words[w];
          }
        }
        for (std::size_t later = p + 1; later < paragraphs.size(); ++later) {
          if (!layout.rest.empty()) layout.rest += kLineBreak;
          layout.rest += paragraphs[later];
        }
        return layout;
      }
    }
  }
  return layout;
}

}  // namespace pagora
