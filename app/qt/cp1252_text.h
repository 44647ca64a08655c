// Conversion between the data file's Windows-1252 bytes and the window's QString, the only
// place where the program crosses between the two.
#pragma once

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace pannellonistica {

QString FromCp1252(std::string_view bytes);

// The Windows-1252 bytes of `text`; characters the code page lacks are dropped.
std::string ToCp1252(const QString& text);

// UTF-8 program texts (captions, messages) to QString.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Removes from a field's text every character the code page lacks, whatever brought it
// there (paste, drag and drop, input methods), keeping the caret in place.
class Cp1252Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

}  // namespace pannellonistica
