// Any link target is understood or refused without harm: a page target names page -1 (the
// last) or a page from 1, a bookmark number is positive, and a layer script keeps its frame
// with one line per switched name, each a closed string comparison.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pdf/interactive/link_target.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr std::string_view kScriptHead =
    "var ocgArray = this.getOCGs();for (var i=0; i < ocgArray.length; i++) {\r";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte is the current page.
  const int current = data[0];
  const std::string_view target(reinterpret_cast<const char*>(data) + 1, size - 1);
  const pagora::LinkTarget link = pagora::ClassifyLinkTarget(target);
  using Kind = pagora::LinkTargetKind;
  Require(link.argument.size() <= target.size());
  Require(link.kind != Kind::kNone || link.argument.empty());

  if (const auto page = pagora::ResolveLinkPage(link.argument, current)) {
    Require(*page == -1 || *page >= 1);
  }
  if (const auto number = pagora::ParseBookmarkNumber(link.argument)) Require(*number >= 0);

  const std::string script = pagora::BuildLayerScript(link.argument);
  Require(script.starts_with(kScriptHead) && script.ends_with("}"));
  // Every line compares one name, its quotes unbroken by the name's own.
  std::string_view lines(script);
  lines.remove_prefix(kScriptHead.size());
  lines.remove_suffix(1);
  while (!lines.empty()) {
    const std::size_t end = lines.find('\r');
    Require(end != std::string_view::npos);
    const std::string_view line = lines.substr(0, end);
    Require(line.starts_with("if (ocgArray[i].name == '"));
    std::size_t quotes = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\\') {
        ++i;
      } else if (line[i] == '\'') {
        ++quotes;
      }
    }
    Require(quotes == 2);
    lines.remove_prefix(end + 1);
  }
  return 0;
}
