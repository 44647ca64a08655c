#include "pdf/import/page_tree.h"

#include <unordered_set>

namespace pagora {
namespace {

// The references of /Kids, resolving a /Kids that is itself a reference.
PdfStatus ReadKids(PdfFile& file, std::string_view node, std::vector<ObjectRef>& kids) {
  std::string text;
  const PdfStatus status = file.LookupResolved(node, "Kids", text);
  if (status != PdfStatus::kOk) return status;
  ParseText parse(text);
  if (parse.AtEnd()) return PdfStatus::kOk;
  return parse.ReadReferenceArray(kids) ? PdfStatus::kOk : PdfStatus::kMalformed;
}

bool IsPageTreeNode(std::string_view dictionary) {
  const PdfValue type = LookupKey(dictionary, "Type");
  if (type.kind == ValueKind::kName) return type.text == "/Pages";
  return LookupKey(dictionary, "Kids").kind != ValueKind::kNone;
}

}  // namespace

PdfStatus CollectPages(PdfFile& file, std::vector<std::uint32_t>& pages) {
  std::string catalog;
  PdfStatus status = file.ReadObjectText(file.root().number, catalog);
  if (status != PdfStatus::kOk) return status;
  const PdfValue root = LookupKey(catalog, "Pages");
  if (root.kind != ValueKind::kReference) return PdfStatus::kMalformed;

  // Depth-first with an explicit stack, so that a deep tree cannot exhaust the call stack.
  struct Level {
    std::vector<ObjectRef> kids;
    std::size_t next = 0;
  };
  std::vector<Level> stack(1);
  stack.front().kids.push_back(root.ref);
  std::unordered_set<std::uint32_t> seen;
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.kids.size()) {
      stack.pop_back();
      continue;
    }
    const std::uint32_t number = level.kids[level.next++].number;
    if (!seen.insert(number).second) return PdfStatus::kCycle;
    std::string node;
    status = file.ReadObjectText(number, node);
    if (status != PdfStatus::kOk) return status;
    if (!IsPageTreeNode(node)) {
      pages.push_back(number);
      continue;
    }
    if (stack.size() > kMaxPdfNesting) return PdfStatus::kTooDeep;
    Level child;
    status = ReadKids(file, node, child.kids);
    if (status != PdfStatus::kOk) return status;
    stack.push_back(std::move(child));
  }
  return PdfStatus::kOk;
}

PdfStatus GetInheritedValue(PdfFile& file, std::string_view dictionary, std::string_view key,
                            std::string& value) {
  value.clear();
  std::string current(dictionary);
  std::unordered_set<std::uint32_t> seen;
  for (;;) {
    const PdfValue found = LookupKey(current, key);
    if (found.kind != ValueKind::kNone) return file.ResolveText(found, value);
    const PdfValue parent = LookupKey(current, "Parent");
    if (parent.kind != ValueKind::kReference) return PdfStatus::kOk;
    if (!seen.insert(parent.ref.number).second) return PdfStatus::kCycle;
    const PdfStatus status = file.ReadObjectText(parent.ref.number, current);
    if (status != PdfStatus::kOk) return status;
  }
}

PdfStatus ReadPageContent(PdfFile& file, std::string_view page,
                          std::vector<std::uint8_t>& content) {
  content.clear();
  const PdfValue contents = LookupKey(page, "Contents");
  std::vector<ObjectRef> streams;
  if (contents.kind == ValueKind::kReference) {
    // One stream, or a reference to an array of them.
    std::string target;
    const PdfStatus status = file.ReadObjectText(contents.ref.number, target);
    if (status != PdfStatus::kOk) return status;
    ParseText parse(target);
    if (parse.ReadValue().kind == ValueKind::kArray) {
      parse.set_position(0);
      if (!parse.ReadReferenceArray(streams)) return PdfStatus::kMalformed;
    } else {
      streams.push_back(contents.ref);
    }
  } else if (contents.kind == ValueKind::kArray) {
    ParseText parse(contents.raw);
    if (!parse.ReadReferenceArray(streams)) return PdfStatus::kMalformed;
  } else if (contents.kind != ValueKind::kNone && contents.kind != ValueKind::kNull) {
    return PdfStatus::kMalformed;
  }
  for (std::size_t i = 0; i < streams.size(); ++i) {
    PdfObject object;
    PdfStatus status = file.ReadObject(streams[i].number, object);
    if (status != PdfStatus::kOk) return status;
    if (!object.has_stream) return PdfStatus::kMalformed;
    std::vector<std::uint8_t> data;
    status = file.DecodeStream(object, data);
    if (status != PdfStatus::kOk) return status;
    // Content streams split only between tokens; the LF keeps two of them apart.
    if (i > 0) content.push_back('\n');
    if (data.size() > file.limits().max_stream_bytes - content.size()) return PdfStatus::kTooLarge;
    content.insert(content.end(), data.begin(), data.end());
  }
  return PdfStatus::kOk;
}

bool ParseRectangle(std::string_view text, double (&box)[4]) {
  ParseText parse(text);
  const PdfValue array = parse.ReadValue();
  if (array.kind != ValueKind::kArray) return false;
  ParseText items(array.raw.substr(1, array.raw.size() - 2));
  for (double& coordinate : box) {
    const auto number = items.ReadNumber();
    if (!number) return false;
    coordinate = *number;
  }
  return items.AtEnd();
}

}  // namespace pagora
