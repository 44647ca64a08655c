#include "pdf/core/runtime_error.h"

namespace pagora {
namespace {

std::string ComposeDescription(int number, std::string_view detail) {
  std::string text(DescribeError(number));
  if (!detail.empty()) {
    text += " - ";
    text += detail;
  }
  return text;
}

}  // namespace

std::string_view DescribeError(int number) {
  switch (number) {
    case kInvalidCall:
      return "Chiamata di routine o argomento non validi";
    case kOverflow:
      return "Overflow";
    case kSubscriptOutOfRange:
      return "Indice non incluso nell'intervallo";
    case kDivisionByZero:
      return "Divisione per zero";
    case kTypeMismatch:
      return "Tipo non corrispondente";
    case kBadFileName:
      return "Nome o numero di file non valido";
    case kFileNotFound:
      return "Impossibile trovare il file";
    case kInputPastEnd:
      return "Input oltre la fine del file";
    case kPathFileAccess:
      return "Errore di accesso al percorso/file";
    case kPathNotFound:
      return "Impossibile trovare il percorso";
    case kInvalidFormat:
      return "Formato di file non valido";
    default:
      return {};
  }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, {}) {}

RuntimeError::RuntimeError(int number, std::string_view detail)
    : std::runtime_error(ComposeDescription(number, detail)),
      number_(number),
      description_(what()) {}

}  // namespace pagora
