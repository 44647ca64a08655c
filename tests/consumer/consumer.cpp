// Writes a small document with text, a path and a GIF through the installed library.
// Usage: consumer OUTPUT.pdf PICTURE.gif
#include <pagora/pagora.h>

#include <iostream>

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::cerr << "usage: consumer OUTPUT.pdf PICTURE.gif\n";
    return 2;
  }
  try {
    pagora::Pagora pdf;
    pdf.BeginDoc(argv[1]);
    pdf.BeginPage();
    pdf.SetFont("Helvetica", 18, pagora::kFontBold);
    pdf.DrawText(72, 72, "Built against an installed Pagora " + pagora::Pagora::Version());
    pdf.SetColorFill("#1F4E8C");
    pdf.SetLineWidth(2);
    // One closed path: the segments before the last leave it unpainted and open.
    pdf.MoveTo(72, 120);
    pdf.DrawLineTo(300, 120, pagora::kPathNoStroke);
    pdf.DrawCurve(1, 350, 140, 350, 220, 300, 240, pagora::kPathNoStroke);
    pdf.DrawLineTo(72, 240, pagora::kPathClose | pagora::kPathFill);
    pdf.DrawImage(argv[2], 72, 280, 120, 0);
    pdf.EndDoc();
    if (pdf.ErrNumber() != 0) {
      std::cerr << "consumer: " << pdf.ErrSource() << ": " << pdf.ErrDescription() << '\n';
      return 1;
    }
    return 0;
  } catch (const pagora::RuntimeError& e) {
    std::cerr << "consumer: " << e.number() << " " << e.description() << '\n';
    return 1;
  }
}
