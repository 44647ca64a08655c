// The readers check as a command, for tests that run whole programs: every PDF named on
// the command line must pass qpdf, pdfinfo, Ghostscript, poppler and MuPDF.
#include <iostream>

#include "tests/support/pdf_checker.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: pdf_readers_check FILE.pdf...\n";
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    const ::testing::AssertionResult result = pagora::testing::PassesAllReaders(argv[i]);
    if (!result) {
      std::cerr << argv[i] << ": " << result.message() << '\n';
      status = 1;
    }
  }
  return status;
}
