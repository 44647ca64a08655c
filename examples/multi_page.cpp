// A report of several pages whose streams are compressed: a long text flows from one page's
// box into the next, and every page gets a running head and its number.
// Usage: multi_page OUTPUT.pdf
#include <pagora/pagora.h>

#include <iostream>
#include <string>

namespace {

// Paragraphs are separated by CR LF.
std::string ReportText() {
  const std::string paragraph =
      "The works on the common parts of the building went on as planned during the month. "
      "The scaffolding on the north front was completed and inspected; the roof was opened "
      "and its beams surveyed one by one, the damaged ones marked for replacement. The "
      "drainage of the courtyard was cleared and a new manhole laid where the old one had "
      "sunk. Deliveries reached the site on the agreed mornings only, so that the street "
      "stayed open to the residents' cars.";
  std::string text;
  for (int i = 1; i <= 24; ++i) {
    text += "Week " + std::to_string(i) + ". " + paragraph + "\r\n";
  }
  return text;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: multi_page OUTPUT.pdf\n";
    return 2;
  }
  try {
    pagora::Pagora pdf;
    // Every stream written from now on is Deflate-compressed at the highest effort.
    pdf.SetCompression(pagora::kCompressFlate, 3);
    pdf.SetScale(pagora::kUnitMillimetre);
    pdf.SetMargins(25, 25, 20, 20);
    pdf.SetDocProperty("Site report", "Monthly progress", "Example Works Ltd", "", "", "");
    pdf.BeginDoc(argv[1]);
    if (pdf.ErrNumber() != 0) throw pagora::RuntimeError(pdf.ErrNumber());

    const float width = pdf.GetPageWidth(true);
    const float height = pdf.GetPageHeight(true);
    std::string rest = ReportText();
    while (!rest.empty()) {
      const int page = pdf.BeginPage();
      pdf.SetFont("Helvetica", 9, pagora::kFontItalic);
      pdf.DrawText(0, 0, "Site report - December 2025");
      pdf.DrawLine(0, 2, width, 2);
      pdf.DrawText(width / 2, height, "Page " + std::to_string(page), pagora::kAlignCenter);
      pdf.SetFont("Times", 12);
      // What does not fit this page's box is returned and continues on the next.
      rest = pdf.DrawTextBox(0, 8, width, height - 16, rest, 8, pagora::kAlignJustify);
    }
    pdf.EndDoc();
    return 0;
  } catch (const pagora::RuntimeError& e) {
    std::cerr << "multi_page: " << e.number() << " " << e.description() << '\n';
    return 1;
  }
}
