#include "app/command_line.h"

namespace pannellonistica {
namespace {

constexpr std::string_view kFolderOption = "--cartella";
constexpr std::string_view kPrintOption = "--stampa";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::optional<std::string> value;
    if (argument == kPrintOption) {
      line.print = true;
      continue;
    }
    if (argument == kFolderOption) {
      if (i + 1 == arguments.size()) {
        line.error = "Manca la cartella dopo --cartella.";
        return line;
      }
      value = arguments[++i];
    } else if (argument.starts_with(std::string(kFolderOption) + "=")) {
      value = argument.substr(kFolderOption.size() + 1);
    } else {
      line.error =
          "Opzione sconosciuta: " + argument + ". Uso: pannellonistica [--stampa] [--cartella DIR]";
      return line;
    }
    if (value->empty()) {
      line.error = "La cartella indicata con --cartella è vuota.";
      return line;
    }
    line.folder = *value;
  }
  return line;
}

}  // namespace pannellonistica
