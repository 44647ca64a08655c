// The program's options: --cartella DIR (or --cartella=DIR) names the folder that holds the
// data file and the printed billboard, for tests, demos and installs whose own folder is
// read-only; --stampa prints the billboard without opening a window.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pannellonistica {

struct CommandLine {
  std::optional<std::filesystem::path> folder;  // --cartella, when given
  bool print = false;                           // --stampa: print the billboard and exit
  std::string error;                            // Italian, empty when the line is valid
};

// Parses the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace pannellonistica
