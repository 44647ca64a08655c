#include "pdf/import/references.h"

#include <deque>
#include <unordered_set>

#include "pdf/import/pdf_lexer.h"

namespace pagora {

std::vector<ReferenceSpan> FindReferences(std::string_view text) {
  std::vector<ReferenceSpan> spans;
  std::size_t pos = 0;
  Token before_previous, previous;
  for (;;) {
    const Token token = NextPdfToken(text, pos);
    if (token.kind == TokenKind::kEnd || token.kind == TokenKind::kUnterminated) break;
    if (IsKeyword(token, "R") && IsUnsignedInteger(before_previous) &&
        IsUnsignedInteger(previous)) {
      std::size_t at = before_previous.begin;
      if (const auto ref = ParseText(text.substr(at)).ReadReference()) {
        spans.push_back({at, token.end, *ref});
      }
      before_previous = previous = Token{};
      continue;
    }
    before_previous = previous;
    previous = token;
  }
  return spans;
}

std::string RenumberReferences(
    std::string_view text,
    const std::function<std::optional<std::uint32_t>(ObjectRef)>& output_number) {
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;
  for (const ReferenceSpan& span : FindReferences(text)) {
    out.append(text.substr(copied, span.begin - copied));
    const auto number = output_number(span.ref);
    out += number ? std::to_string(*number) + " 0 R" : "null";
    copied = span.end;
  }
  out.append(text.substr(copied));
  return out;
}

PdfStatus CollectReferencedObjects(PdfFile& file, std::string_view text,
                                   const std::function<bool(std::uint32_t)>& skip,
                                   std::vector<std::uint32_t>& objects,
                                   const std::function<std::string(std::string_view)>& followed) {
  std::unordered_set<std::uint32_t> seen;
  std::deque<std::uint32_t> pending;
  auto reach = [&](std::string_view from) {
    for (const ReferenceSpan& span : FindReferences(from)) {
      const std::uint32_t number = span.ref.number;
      if (!skip(number) && seen.insert(number).second) pending.push_back(number);
    }
  };
  reach(text);
  std::string object_text;
  while (!pending.empty()) {
    const std::uint32_t number = pending.front();
    pending.pop_front();
    const PdfStatus status = file.ReadObjectText(number, object_text);
    if (status == PdfStatus::kMissingObject) continue;
    if (status != PdfStatus::kOk) return status;
    objects.push_back(number);
    reach(followed ? followed(object_text) : object_text);
  }
  return PdfStatus::kOk;
}

}  // namespace pagora
