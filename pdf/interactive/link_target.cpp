#include "pdf/interactive/link_target.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "pdf/core/ascii_case.h"

namespace pagora {
namespace {

struct Prefix {
  std::string_view text;
  LinkTargetKind kind;
};

// In the order they are tried.
constexpr std::array<Prefix, 9> kPrefixes{{
    {"script:", LinkTargetKind::kScript},
    {"file:", LinkTargetKind::kFile},
    {"ref:", LinkTargetKind::kReference},
    {"mailto:", LinkTargetKind::kUri},
    {"layer:", LinkTargetKind::kLayer},
    {"http:", LinkTargetKind::kUri},
    {"https:", LinkTargetKind::kUri},
    {"bookmark:", LinkTargetKind::kBookmark},
    {"page:", LinkTargetKind::kPage},
}};

// The leading decimal digits of `text` as a number, saturated at INT32_MAX; nullopt when it
// does not start with a digit. `rest` receives what follows them.
std::optional<int> LeadingNumber(std::string_view text, std::string_view* rest = nullptr) {
  std::size_t i = 0;
  std::int64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), INT32_MAX);
    ++i;
  }
  if (rest != nullptr) *rest = text.substr(i);
  if (i == 0) return std::nullopt;
  return static_cast<int>(value);
}

// A name inside a single-quoted script string: quotes, backslashes and line ends escaped,
// so that no name ends the string or the line early.
void AppendScriptString(std::string& script, std::string_view text) {
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      script += c == '\r' ? "\\r" : "\\n";
      continue;
    }
    if (c == '\'' || c == '\\') script += '\\';
    script += c;
  }
}

}  // namespace

LinkTarget ClassifyLinkTarget(std::string_view target) {
  for (const Prefix& prefix : kPrefixes) {
    if (!target.starts_with(prefix.text)) continue;
    if (prefix.kind == LinkTargetKind::kUri) return {prefix.kind, target};
    return {prefix.kind, target.substr(prefix.text.size())};
  }
  return {};
}

std::optional<int> ResolveLinkPage(std::string_view argument, int current_page) {
  while (argument.starts_with(' ')) argument.remove_prefix(1);
  if (argument.starts_with('+') || argument.starts_with('-')) {
    const std::int64_t offset = LeadingNumber(argument.substr(1)).value_or(0);
    const std::int64_t page = argument[0] == '+' ? current_page + offset : current_page - offset;
    return static_cast<int>(std::clamp<std::int64_t>(page, 1, INT32_MAX));
  }
  if (argument.starts_with('#')) {
    const std::string keyword = AsciiUpperCase(argument.substr(1));
    if (keyword == "FIRST") return 1;
    if (keyword == "LAST") return -1;
    if (keyword == "NEXT") return current_page == INT32_MAX ? current_page : current_page + 1;
    if (keyword == "PREV") return current_page > 1 ? current_page - 1 : 1;
    return std::nullopt;
  }
  // An absolute number: its integer part.
  const std::optional<int> page = LeadingNumber(argument);
  if (!page || *page < 1) return std::nullopt;
  return page;
}

std::optional<int> ParseBookmarkNumber(std::string_view argument) {
  if (!argument.starts_with('@')) return std::nullopt;
  std::string_view rest;
  const std::optional<int> number = LeadingNumber(argument.substr(1), &rest);
  if (!rest.empty()) return std::nullopt;
  return number;
}

std::string BuildLayerScript(std::string_view switches) {
  std::string compact;
  compact.reserve(switches.size());
  for (const char c : switches) {
    if (c != ' ') compact += c;
  }
  struct Command {
    std::string_view opening;
    std::string_view ending;
  };
  static constexpr std::array<Command, 3> kCommands{{
      {"ON(", "') { ocgArray[i].state = true; };"},
      {"OFF(", "') { ocgArray[i].state = false; };"},
      {"TOGGLE(", "') { ocgArray[i].state = !ocgArray[i].state; };"},
  }};
  std::string script = "var ocgArray = this.getOCGs();for (var i=0; i < ocgArray.length; i++) {\r";
  const std::string_view text = compact;
  for (const Command& command : kCommands) {
    const std::size_t start = text.find(command.opening);
    if (start == std::string_view::npos) continue;
    std::string_view names = text.substr(start + command.opening.size());
    names = names.substr(0, names.find(')'));
    while (!names.empty()) {
      const std::size_t comma = names.find(',');
      if (const std::string_view name = names.substr(0, comma); !name.empty()) {
        script += "if (ocgArray[i].name == '";
        AppendScriptString(script, AsciiUpperCase(name));
        script += command.ending;
        script += '\r';
      }
      if (comma == std::string_view::npos) break;
      names.remove_prefix(comma + 1);
    }
  }
  script += "}";
  return script;
}

}  // namespace pagora
