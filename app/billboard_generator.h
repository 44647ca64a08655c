// Prints the construction-site billboard: a one-page red PDF of about 1 m × 1.3 m with the
// council's pictures, thirteen captions and the thirteen values of the data file, protected
// so that it can only be printed.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/data_file.h"

namespace pannellonistica {

// Where a billboard is read from and written to.
struct BillboardPaths {
  std::filesystem::path data_file;
  std::filesystem::path pictures_folder;  // loghi.gif, comune_vesola.gif, ... CSU.GIF
  std::filesystem::path output;           // pannellone.pdf
  // How long to wait for a save of another program to finish.
  std::chrono::milliseconds lock_wait = kDataFileLockWait;
};

// Opens a finished billboard in the desktop's viewer, without waiting for it; tests put
// their own in its place.
class DocumentViewer {
 public:
  virtual ~DocumentViewer() = default;
  virtual void Open(const std::filesystem::path& billboard) = 0;
};

// What "Stampa" tells the user when no viewer could open the billboard: where it lies.
std::string NoViewerMessage(const std::filesystem::path& billboard);

// What became of a print. When `printed` is false, `message` says why in Italian (UTF-8),
// and `critical` tells a failure of the engine from the output file being held open.
// `missing_pictures` has one Italian line per picture that could not be read and was left
// out of a billboard printed all the same.
struct BillboardOutcome {
  bool printed = false;
  bool critical = false;
  std::string message;
  std::vector<std::string> missing_pictures;
};

// The outcome of a failure numbered as the engine numbers them: 52, the output file held
// open, gives the file-open notice; any other is critical and names its source.
BillboardOutcome FailureOutcome(int number, const std::string& source,
                                const std::string& description);

// Reads the data file once under a shared lock (it is never written, nor created), composes
// the values and writes the billboard on `paths.output`, then hands it to `viewer` when one
// is given. Never throws. When the billboard cannot be written (the output cannot be
// replaced, the disk is full, the data file is unreadable) the outcome says why and the
// previous output file is left byte for byte as it was.
BillboardOutcome BillboardGenerator(const BillboardPaths& paths, DocumentViewer* viewer);

}  // namespace pannellonistica
