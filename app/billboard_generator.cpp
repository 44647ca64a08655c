#include "app/billboard_generator.h"

#include <map>

#include "app/billboard_layout.h"
#include "app/data_file.h"
#include "pdf/core/pagora.h"

namespace pannellonistica {
namespace {

// The engine's number for an output file that is locked, busy or not writable.
constexpr int kFileInUse = 52;

// Permission to print, and nothing else; the owner's password keeps it so.
constexpr int kPrintOnly = 4;
constexpr char kOwnerPassword[] = "ubrelotanvix";
// Unit codes: the page size is given in points, everything after in millimetres.
constexpr int kUserSize = 255;
constexpr int kMillimetres = 2;
// Path styles: filled and stroked; no box under a caption; a filled and stroked box.
constexpr int kFillAndStroke = 4;
constexpr int kNoBox = 1;
constexpr int kFilledBox = 4;
constexpr int kAlignLeftTop = 1;
constexpr int kBold = 1;

std::map<std::string, std::string> ReadBillboardKeys(const std::filesystem::path& data_file) {
  // A missing data file prints an empty billboard; it is not created by printing.
  if (!std::filesystem::exists(data_file)) return {};
  return ReadKeys(data_file, BillboardSourceKeys());
}

void DrawBillboard(pagora::Pagora& doc, const BillboardValues& values,
                   const std::filesystem::path& pictures) {
  doc.SetPaperSize(kUserSize, kPageWidthPoints, kPageHeightPoints);
  doc.SetScale(kMillimetres, 1);
  doc.SetMargins(0, 0, 0, 0, true);
  doc.BeginPage();
  const float caption_width = doc.GetPageWidth(true);

  doc.SetColorFill("RED");
  doc.DrawRect(0, 0, doc.GetPageWidth(true), doc.GetPageHeight(true), kFillAndStroke, 0, 15);

  for (const PicturePlace& p : kFixedPictures) {
    doc.DrawImage((pictures / p.file).string(), p.x, p.y, p.width, p.height, 1, "");
  }
  // With no site class the name is the folder and ".GIF": the picture is missing, its error
  // is recorded, and the rest of the page is complete.
  const PicturePlace& site = kSiteClassPicture;
  doc.DrawImage((pictures / (values.site_class + ".GIF")).string(), site.x, site.y, site.width,
                site.height, 1, "");

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
}

}  // namespace

void DesktopViewer::Open(pagora::Pagora& document) { document.OpenDoc(); }

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
  BillboardValues values;
  try {
    values = ComposeBillboardValues(ReadBillboardKeys(paths.data_file));
  } catch (const DataFileError& e) {
    return {false, true, e.what()};
  }

  pagora::Pagora doc;
  try {
    doc.SetProtection(kPrintOnly, kOwnerPassword, "");
    // A file that cannot be opened is not truncated: it stays as it was.
    doc.BeginDoc(paths.output.string());
    if (doc.ErrNumber() != 0) {
      return FailureOutcome(doc.ErrNumber(), doc.ErrSource(), doc.ErrDescription());
    }
    DrawBillboard(doc, values, paths.pictures_folder);
    doc.EndDoc();
  } catch (const pagora::RuntimeError& e) {
    doc.Abort();
    return FailureOutcome(e.number(), "Pagora", e.description());
  }
  // Pictures that could not be read were recorded and left out; the billboard is printed.
  if (viewer != nullptr) viewer->Open(doc);
  return {true, false, {}};
}

}  // namespace pannellonistica
