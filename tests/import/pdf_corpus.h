#pragma once

#include <algorithm>
#include <filesystem>
#include <vector>

namespace pagora::testing {

// The PDF files of the test data, in name order.
inline std::vector<std::filesystem::path> PdfCorpusFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(PAGORA_TEST_DATA_DIR) / "pdf")) {
    if (entry.path().extension() == ".pdf") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace pagora::testing
