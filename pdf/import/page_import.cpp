#include "pdf/import/page_import.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "pdf/core/ascii_case.h"
#include "pdf/core/number_format.h"
#include "pdf/core/stream_writer.h"
#include "pdf/core/table_growth.h"
#include "pdf/graphics/drawing.h"
#include "pdf/import/copied_object.h"
#include "pdf/import/page_box.h"
#include "pdf/import/page_tree.h"
#include "pdf/import/references.h"
#include "pdf/import/source_info.h"

namespace pagora {
namespace {

// A source file that cannot be read as the import needs it; the operation records 321.
struct SourceFormatError {};

void Check(PdfStatus status) {
  if (status != PdfStatus::kOk) throw SourceFormatError{};
}

ErrorNumber OpenError(FileOpenStatus status) {
  switch (status) {
    case FileOpenStatus::kNotFound:
      return kFileNotFound;
    case FileOpenStatus::kPathNotFound:
      return kPathNotFound;
    default:
      return kPathFileAccess;
  }
}

// The page content assumes the initial graphics state, but a form XObject inherits the
// state where it is drawn: colours, line style and text state set on the page so far
// would change the imported page.
constexpr std::string_view kInitialState =
    "0 g 0 G 1 w 0 J 0 j 10 M [] 0 d 0 Tc 0 Tw 100 Tz 0 TL 0 Tr 0 Ts\n";

class ObjectCopier {
 public:
  ObjectCopier(Document& doc, PdfFile& file, const SourcePdfEntry& entry)
      : doc_(doc), file_(file), entry_(entry) {}

  // Copies every object `text` reaches that this source file has not given the document
  // yet. All get their numbers before any is written, so objects that refer to each other
  // in a loop are copied once.
  void CopyReachedObjects(std::string_view text) {
    const std::vector<std::uint32_t> objects = Reached(text);
    for (const std::uint32_t number : objects) copied_.emplace(number, doc_.writer.Reserve());
    for (const std::uint32_t number : objects) Copy(number, copied_.at(number));
  }

  // The text with its references renumbered to the output's objects (null for objects the
  // source file lacks) and, in a protected document, its strings encrypted for `object`.
  std::string OutputText(std::string_view text, int object) const {
    std::string out = RenumberReferences(text, [this](ObjectRef ref) { return Output(ref); });
    if (!doc_.security.on()) return out;
    return EncryptStrings(
        out, [&](std::string_view bytes) { return doc_.security.Encrypt(object, bytes); });
  }

  // The objects copied by this import, to be remembered once the page is written.
  std::unordered_map<std::uint32_t, int>& copied() { return copied_; }

 private:
  std::optional<std::uint32_t> Output(ObjectRef ref) const {
    auto found = entry_.import_map.find(ref.number);
    if (found == entry_.import_map.end()) {
      found = copied_.find(ref.number);
      if (found == copied_.end()) return std::nullopt;
    }
    return static_cast<std::uint32_t>(found->second);
  }

  // Breadth first without recursion, each object once, missing objects left out.
  std::vector<std::uint32_t> Reached(std::string_view text) {
    std::vector<std::uint32_t> objects;
    Check(CollectReferencedObjects(
        file_, text, [this](std::uint32_t number) { return entry_.import_map.contains(number); },
        objects, WithoutPageLinks));
    return objects;
  }

  void Copy(std::uint32_t number, int object) {
    PdfObject source;
    Check(file_.ReadObject(number, source));
    const std::string text = OutputText(WithoutPageLinks(source.text), object);
    StartObject(doc_, object);
    if (!source.has_stream) {
      WriteLine(doc_, text.empty() ? "null" : text);
    } else {
      const auto head = StreamDictionaryHead(text);
      if (!head) throw SourceFormatError{};
      WriteLine(doc_, *head);
      // Copied as stored: the dictionary's own /Filter still describes the bytes.
      doc_.security.EncryptInPlace(object, source.stream);
      WriteStreamTail(doc_.writer, "", 0, source.stream);
    }
    FinishObject(doc_);
  }

  Document& doc_;
  PdfFile& file_;
  const SourcePdfEntry& entry_;
  std::unordered_map<std::uint32_t, int> copied_;
};

// Numbers separated by single blanks.
std::string FormatNumbers(std::span<const double> values) {
  std::string text;
  for (const double value : values) {
    if (!text.empty()) text += ' ';
    text += FormatNumber(static_cast<float>(value));
  }
  return text;
}

// Writes page `page` of the entry as a form XObject, copying what its resources reach.
ImportedPage WritePageForm(Document& doc, PdfFile& file, SourcePdfEntry& entry, int page) {
  std::string dictionary, resources, media_box, crop_box, rotate;
  Check(file.ReadObjectText(entry.pages[page - 1], dictionary));
  Check(GetInheritedValue(file, dictionary, "Resources", resources));
  Check(GetInheritedValue(file, dictionary, "MediaBox", media_box));
  Check(GetInheritedValue(file, dictionary, "CropBox", crop_box));
  Check(GetInheritedValue(file, dictionary, "Rotate", rotate));
  const std::optional<PageBox> box = VisiblePageBox(media_box, crop_box, rotate);
  if (!box) throw SourceFormatError{};
  std::vector<std::uint8_t> content(kInitialState.begin(), kInitialState.end());
  std::vector<std::uint8_t> page_content;
  // Content whose filters cannot be undone cannot be drawn: nothing is written.
  Check(ReadPageContent(file, dictionary, page_content));
  content.insert(content.end(), page_content.begin(), page_content.end());
  page_content = {};
  if (ParseText(resources).ReadValue().kind != ValueKind::kDictionary) resources = "<< >>";

  ObjectCopier copier(doc, file, entry);
  copier.CopyReachedObjects(resources);
  const int object = StartObject(doc);
  WriteLine(doc, "<< /Type /XObject /Subtype /Form /FormType 1");
  WriteLine(doc, "   /BBox [" + FormatNumbers(box->box) + " ]");
  static constexpr double kIdentity[6] = {1, 0, 0, 1, 0, 0};
  if (!std::equal(box->matrix, box->matrix + 6, kIdentity)) {
    WriteLine(doc, "   /Matrix [" + FormatNumbers(box->matrix) + "]");
  }
  WriteLine(doc, "   /Resources " + copier.OutputText(resources, object));
  WriteStream(doc, content, object, "", 0);
  FinishObject(doc);
  entry.import_map.merge(copier.copied());
  return {object, box->width, box->height};
}

}  // namespace

SourceOpening OpenSourcePdf(Document& doc, const std::string& path) {
  SourceOpening opening;
  FileOpenResult opened = OpenFileByteSource(path);
  if (opened.status != FileOpenStatus::kOk) {
    RecordError(doc, "GetInfo", path, RuntimeError(OpenError(opened.status)));
    return opening;
  }
  opening.file = std::make_unique<PdfFile>(std::move(opened.source));
  std::string name = AsciiUpperCase(path);
  if (const int found = FindSourcePdf(doc.imports, name)) {
    opening.entry = found;
    return opening;
  }
  PdfFile& file = *opening.file;
  SourcePdfEntry entry;
  bool readable = file.Open() == PdfStatus::kOk;
  opening.parsed = readable;
  opening.encrypted = readable && file.encrypted();
  readable = readable && !opening.encrypted && ReadSourceInfo(file, entry.info) == PdfStatus::kOk &&
             CollectPages(file, entry.pages) == PdfStatus::kOk;
  if (!readable) {
    RecordError(doc, "GetInfo", path, RuntimeError(kInvalidFormat));
    return opening;
  }
  entry.name = std::move(name);
  entry.version_level = file.version_level();
  GrowAppendedTable(doc.imports.entries, doc.memory_factor);
  doc.imports.entries.push_back(std::move(entry));
  opening.entry = static_cast<int>(doc.imports.entries.size());
  return opening;
}

void PlaceSourcePage(Document& doc, SourceOpening& opening, const std::string& path, int page,
                     float x, float y, float width, float height) {
  SourcePdfEntry& entry = doc.imports.entries.at(opening.entry - 1);
  if (page < 1 || static_cast<std::size_t>(page) > entry.pages.size()) return;
  const std::string name = "/_PDF_" + std::to_string(opening.entry) + "." + std::to_string(page);
  ImportedPage form;
  if (const auto found = entry.imported_pages.find(page); found != entry.imported_pages.end()) {
    form = found->second;
  } else {
    try {
      if (!opening.parsed) {
        // The file may have changed since it was first read.
        Check(opening.file->Open());
        opening.parsed = true;
        if (opening.file->encrypted()) throw SourceFormatError{};
      }
      form = WritePageForm(doc, *opening.file, entry, page);
    } catch (const SourceFormatError&) {
      RecordError(doc, "ImportPage", path, RuntimeError(kInvalidFormat));
      return;
    }
    entry.imported_pages.emplace(page, form);
    doc.resources.form_objects += name + " " + std::to_string(form.object) + " 0 R ";
  }

  const float k = doc.page.unit_factor;
  const auto box_width = static_cast<float>(form.width);
  const auto box_height = static_cast<float>(form.height);
  if (width == 0 && height == 0) {
    if (k == 0) throw RuntimeError(kDivisionByZero);
    width = box_width / k;
    height = box_height / k;
  } else if (width == 0) {
    width = box_width * height / box_height;
  } else if (height == 0) {
    height = box_height * width / box_width;
  }
  SetPositionAndArea(doc, x, y, x, y, x + width, y + height);
  // The negative vertical scale turns the page (y up) into the page content's y-down space.
  AppendContent(doc, "q");
  AppendContent(doc, FormatNumber(width * k / box_width) + " 0 0 " +
                         FormatNumber(-height * k / box_height) + " " + FormatLength(x, k) + " " +
                         FormatLength(y + height, k) + " cm");
  AppendContent(doc, name + " Do");
  AppendContent(doc, "Q");
}

}  // namespace pagora
