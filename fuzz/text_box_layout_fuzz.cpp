// Wrapping loses and invents nothing: the laid-out lines, joined by a space inside a
// paragraph and CR LF between paragraphs, followed by the rest, give back the text (with
// its empty paragraphs made of one space), and a box of n lines holds at most n.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pdf/text/standard_font_metrics.h"
#include "pdf/text/text_box_layout.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string WithEmptyParagraphsAsSpaces(std::string_view text) {
  std::string expected;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find("\r\n", start);
    std::string_view paragraph =
        text.substr(start, end == std::string_view::npos ? end : end - start);
    if (start > 0) expected += "\r\n";
    expected += (paragraph.empty() && start > 0) ? std::string_view(" ") : paragraph;
    if (end == std::string_view::npos) return expected;
    start = end + 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  pagora::TextMeasure measure;
  measure.widths = &pagora::StandardFaceWidths(pagora::StandardFace::kHelvetica);
  measure.size = 10;
  pagora::TextBoxFrame frame;
  frame.width = data[0];
  frame.line_height = 10;
  const int max_lines = data[1] % 8;
  frame.height = static_cast<float>(max_lines) * 10 + 5;
  frame.indentation = static_cast<float>(data[1] >> 3);
  // Byte 0 marks a continuation only at the start; elsewhere it would be taken for one
  // when a paragraph starting with it begins the rest.
  std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
  for (std::size_t i = 1; i < input.size(); ++i) {
    if (input[i] == pagora::kContinuationMarker) input[i] = '0';
  }
  std::string_view text = input;

  const pagora::TextBoxLayout layout = pagora::LayoutTextBox(text, measure, frame);
  Require(!layout.lines.empty());
  Require(layout.lines.size() <= static_cast<std::size_t>(max_lines > 0 ? max_lines : 1));

  std::string rebuilt;
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    if (i > 0) rebuilt += layout.lines[i - 1].last_of_paragraph ? "\r\n" : " ";
    rebuilt += layout.lines[i].text;
  }
  if (!layout.rest.empty()) {
    if (layout.rest.front() == pagora::kContinuationMarker) {
      Require(!layout.lines.back().last_of_paragraph);
      rebuilt += ' ';
      rebuilt += layout.rest.substr(1);
    } else {
      rebuilt += "\r\n";
      rebuilt += layout.rest;
    }
  }
  if (!text.empty() && text.front() == pagora::kContinuationMarker) text.remove_prefix(1);
  Require(rebuilt == WithEmptyParagraphsAsSpaces(text));
  return 0;
}
