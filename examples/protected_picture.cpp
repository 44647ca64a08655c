// A document protected with a password: anyone may open and print it, only the owner's
// password allows changes. It shows a picture (GIF, BMP, TGA or JPEG) under a caption.
// Usage: protected_picture OUTPUT.pdf PICTURE
#include <pagora/pagora.h>

#include <iostream>

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::cerr << "usage: protected_picture OUTPUT.pdf PICTURE\n";
    return 2;
  }
  try {
    pagora::Pagora pdf;
    // Protection is chosen before the document begins; an empty user password lets
    // anyone open the file with the permissions given, here printing only.
    pdf.SetProtection(pagora::kAllowPrint | pagora::kProtect128Bit, "owner-secret", "");
    pdf.SetScale(pagora::kUnitMillimetre);
    pdf.SetMargins(20, 20, 20, 20);
    pdf.BeginDoc(argv[1]);
    if (pdf.ErrNumber() != 0) throw pagora::RuntimeError(pdf.ErrNumber());
    pdf.BeginPage();

    pdf.SetFont("Times", 20, pagora::kFontBold);
    pdf.DrawText(0, 10, "Printable, not editable");
    pdf.SetFont("Times", 11);
    pdf.DrawTextBox(0, 16, pdf.GetPageWidth(true), 0,
                    "This page is encrypted with a 128-bit key. A reader opens it without a "
                    "password and may print it; changing or copying it needs the owner's "
                    "password.");

    // A width with a height of 0 keeps the picture's aspect ratio. A picture that cannot
    // be read is recorded, not raised: the document is finished all the same.
    pdf.DrawImage(argv[2], 0, 40, pdf.GetPageWidth(true), 0);
    if (pdf.ErrNumber() != 0) std::cerr << "protected_picture: " << pdf.ErrDescription() << '\n';

    pdf.EndDoc();
    return pdf.ErrNumber() == 0 ? 0 : 1;
  } catch (const pagora::RuntimeError& e) {
    std::cerr << "protected_picture: " << e.number() << " " << e.description() << '\n';
    return 1;
  }
}
