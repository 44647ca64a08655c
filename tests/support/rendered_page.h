#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "pdf/core/pagora.h"
#include "tests/support/document_capture.h"
#include "tests/support/pdf_checker.h"

namespace pagora::testing {

// Writes one page, checks it with qpdf and Ghostscript, and renders page 1 at 72 dpi with
// the renderer of the test's parameter, so that one pixel is one point from the top-left
// corner.
class RenderedPageTest : public ::testing::TestWithParam<Renderer> {
 protected:
  Raster Draw(const std::function<void(Pagora&)>& draw) {
    const auto pdf = dir_ / "rendered.pdf";
    WriteOnePage(pdf, draw);
    EXPECT_TRUE(QpdfChecksClean(pdf));
    EXPECT_TRUE(GhostscriptClean(pdf));
    Raster raster;
    EXPECT_TRUE(Render(pdf, GetParam(), 1, 72, &raster));
    return raster;
  }

  TempDir dir_;
};

}  // namespace pagora::testing
