#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pagora {

// The whole of an input file (a picture, a font, a PDF). Only regular files are read: a
// folder, pipe or device is never opened for reading nor waited on. RuntimeError 53 when
// the file does not exist, 76 when a folder of its path is missing, 75 when it is not a
// regular file or cannot be read. The callers name the file when they record the error.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

}  // namespace pagora
