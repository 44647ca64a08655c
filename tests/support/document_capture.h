#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "pdf/core/pagora.h"

namespace pagora::testing {

// A fixed clock for documents whose bytes must not depend on the time of the run.
LocalTime FixedTestTime();

// Writes a one-page document on `path` with `draw` called on the open page.
void WriteOnePage(const std::filesystem::path& path, const std::function<void(Pagora&)>& draw);

// The operator lines `draw` appends to a fresh page, without the lines every page starts
// with (the coordinate flip and the black colours). The document is written uncompressed
// into a temporary folder.
std::string CaptureContent(const std::function<void(Pagora&)>& draw);

}  // namespace pagora::testing
