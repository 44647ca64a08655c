#include "app/billboard_generator.h"

#include <map>
#include <optional>
#include <vector>

#include "app/billboard_layout.h"
#include "app/data_file.h"
#include "pdf/core/pagora.h"

namespace pannellonistica {
namespace {

// The engine's number for an output file that is locked or busy.
constexpr int kFileInUse = pagora::kBadFileName;

// Permission to print, and nothing else; the owner's password keeps it so.
constexpr int kPrintOnly = pagora::kAllowPrint;
constexpr char kOwnerPassword[] = "ubrelotanvix";
// The page size is given in points, everything after in millimetres.
constexpr int kUserSize = pagora::kPaperCustom;
constexpr int kMillimetres = pagora::kUnitMillimetre;
// Path styles: filled and stroked; no box under a caption; a filled and stroked box.
constexpr int kFillAndStroke = pagora::kPathFill;
constexpr int kNoBox = pagora::kPathNoStroke;
constexpr int kFilledBox = pagora::kPathFill;
constexpr int kAlignLeftTop = pagora::kAlignLeft;
constexpr int kBold = pagora::kFontBold;

// The engine records a picture it cannot read and carries on; the record is how we learn
// which one it was.
class PictureCheck {
 public:
  explicit PictureCheck(const pagora::Pagora& doc)
      : number_(doc.ErrNumber()), source_(doc.ErrSource()), description_(doc.ErrDescription()) {}

  // A line naming the picture and the cause when drawing it recorded a new error.
  std::optional<std::string> Failure(const pagora::Pagora& doc,
                                     const std::filesystem::path& picture) const {
    if (doc.ErrNumber() == 0 || (doc.ErrNumber() == number_ && doc.ErrSource() == source_ &&
                                 doc.ErrDescription() == description_)) {
      return std::nullopt;
    }
    return "Immagine \"" + picture.string() + "\" non stampata: " + doc.ErrDescription();
  }

 private:
  int number_;
  std::string source_;
  std::string description_;
};

void DrawPicture(pagora::Pagora& doc, const std::filesystem::path& picture, const PicturePlace& p,
                 std::vector<std::string>& missing) {
  const PictureCheck check(doc);
  doc.DrawImage(picture.string(), p.x, p.y, p.width, p.height, 1, "");
  if (auto failure = check.Failure(doc, picture)) missing.push_back(std::move(*failure));
}

std::vector<std::string> DrawBillboard(pagora::Pagora& doc, const BillboardValues& values,
                                       const std::filesystem::path& pictures) {
  std::vector<std::string> missing;
  doc.SetPaperSize(kUserSize, kPageWidthPoints, kPageHeightPoints);
  doc.SetScale(kMillimetres, 1);
  doc.SetMargins(0, 0, 0, 0, true);
  doc.BeginPage();
  const float caption_width = doc.GetPageWidth(true);

  doc.SetColorFill("RED");
  doc.DrawRect(0, 0, doc.GetPageWidth(true), doc.GetPageHeight(true), kFillAndStroke, 0, 15);

  for (const PicturePlace& p : kFixedPictures) DrawPicture(doc, pictures / p.file, p, missing);
  // With no site class the name is the folder and ".GIF": there is no area picture to show,
  // which is no failure to report, and the rest of the page is complete.
  const std::filesystem::path site_picture = pictures / (values.site_class + ".GIF");
  if (values.site_class.empty()) {
    const PicturePlace& site = kSiteClassPicture;
    doc.DrawImage(site_picture.string(), site.x, site.y, site.width, site.height, 1, "");
  } else {
    DrawPicture(doc, site_picture, kSiteClassPicture, missing);
  }

  doc.SetColorText("WHITE");
  doc.SetFont("Arial", kLeftCaptionSize, kBold, 0);
  for (const Caption& c : kLeftCaptions) {
    doc.DrawTextBox(c.x, c.y, caption_width, kCaptionBoxHeight, std::string(c.text), 0,
                    kAlignLeftTop, kNoBox);
  }
  doc.SetFont("Arial", kRightCaptionSize, kBold, 0);
  for (const Caption& c : kRightCaptions) {
    doc.DrawTextBox(c.x, c.y, caption_width, kCaptionBoxHeight, std::string(c.text), 0,
                    kAlignLeftTop, kNoBox);
  }

  doc.SetColorText("BLACK");
  doc.SetFont("Arial", kValueSize, kBold, 0);
  doc.SetColorFill("WHITE");
  doc.SetColorLine("WHITE");
  for (const ValueBox& box : kValueBoxes) {
    // Only what fits the box is printed; the rest of a long value is dropped.
    doc.DrawTextBox(box.x, box.y, kValueBoxWidth, kValueBoxHeight, " " + values.*box.value, 0,
                    kAlignLeftTop, kFilledBox);
  }
  return missing;
}

BillboardOutcome Print(const BillboardPaths& paths, DocumentViewer* viewer) {
  BillboardValues values;
  try {
    values = ComposeBillboardValues(
        ReadKeys(paths.data_file, BillboardSourceKeys(), DataAccess::kRead, paths.lock_wait));
  } catch (const DataFileError& e) {
    return {false, true, e.what(), {}};
  }

  pagora::Pagora doc;
  std::vector<std::string> missing;
  try {
    doc.SetProtection(kPrintOnly, kOwnerPassword, "");
    // The previous billboard is replaced only by a finished one.
    doc.BeginDoc(paths.output.string());
    if (doc.ErrNumber() != 0) {
      return FailureOutcome(doc.ErrNumber(), doc.ErrSource(), doc.ErrDescription());
    }
    missing = DrawBillboard(doc, values, paths.pictures_folder);
    doc.EndDoc();
  } catch (const pagora::RuntimeError& e) {
    doc.Abort();
    return FailureOutcome(e.number(), "Pagora", e.description());
  }
  if (viewer != nullptr) viewer->Open(paths.output);
  return {true, false, {}, std::move(missing)};
}

}  // namespace

std::string NoViewerMessage(const std::filesystem::path& billboard) {
  return "Nessun visualizzatore di PDF ha potuto aprire il pannellone.\n"
         "Il file è stato scritto in:\n" +
         billboard.string();
}

BillboardOutcome FailureOutcome(int number, const std::string& source,
                                const std::string& description) {
  BillboardOutcome outcome;
  if (number == kFileInUse) {
    outcome.message = "Il file è aperto, mi è impossibile generarlo !";
  } else {
    outcome.critical = true;
    outcome.message = source + " - " + description;
  }
  return outcome;
}

BillboardOutcome BillboardGenerator(const BillboardPaths& paths, DocumentViewer* viewer) {
  try {
    return Print(paths, viewer);
  } catch (const std::exception& e) {
    // Whatever failed, the window keeps its fields and the old billboard stays.
    return {false,
            true,
            "Impossibile stampare il pannellone \"" + paths.output.string() + "\": " + e.what(),
            {}};
  }
}

}  // namespace pannellonistica
