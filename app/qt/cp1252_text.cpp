#include "app/qt/cp1252_text.h"

#include "app/cp1252.h"

namespace pannellonistica {

QString FromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char byte : bytes) {
    text.append(QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<uint8_t>(byte)))));
  }
  return text;
}

std::string ToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (const QChar character : text) {
    // Surrogates never map, so characters outside the BMP drop out here.
    if (const auto byte = UnicodeToCp1252(character.unicode())) {
      bytes.push_back(static_cast<char>(*byte));
    }
  }
  return bytes;
}

QValidator::State Cp1252Validator::validate(QString& input, int& position) const {
  QString kept;
  kept.reserve(input.size());
  int new_position = position;
  for (qsizetype i = 0; i < input.size(); ++i) {
    if (UnicodeToCp1252(input[i].unicode())) {
      kept.append(input[i]);
    } else if (i < position) {
      --new_position;
    }
  }
  input = kept;
  position = new_position;
  return Acceptable;
}

}  // namespace pannellonistica
