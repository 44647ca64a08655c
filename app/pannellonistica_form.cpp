#include "app/pannellonistica_form.h"

#include <map>
#include <optional>
#include <vector>

#include "app/billboard_record.h"
#include "app/cp1252.h"
#include "app/data_file.h"
#include "app/stored_date.h"

namespace pannellonistica {
namespace {

constexpr char kConfirmTitle[] = "Sovrascrivere";
constexpr char kConfirmText[] = "Sei sicuro di volere sovrascrivere la pannellonistica ?";
constexpr char kBadStart[] = "La Data di inizio lavori è errata!";
constexpr char kBadEnd[] = "La Data di fine lavori è errata!";
constexpr char kEndBeforeStart[] =
    "La data fine lavori non può essere antecedente quella di inizio!";

bool IsDateField(int index) {
  return kFields[static_cast<size_t>(index)].tag == "DATA";
}

// A stored value that names a day: a number other than the "no date" forms.
bool IsDate(const std::string& stored) {
  return IsNumber(stored) && CompareNumbers(stored, "0") != 0;
}

// The yyyymmdd part of a stored date that may carry a time after it.
std::string_view DatePart(std::string_view stored) {
  return stored.size() > 8 ? stored.substr(0, 8) : stored;
}

}  // namespace

PannellonisticaForm::PannellonisticaForm(std::filesystem::path folder, MessageBoxes& boxes)
    : folder_(std::move(folder)), boxes_(boxes) {
  for (int i = 0; i < kFieldCount; ++i) {
    Field(i).max_length = kFields[static_cast<size_t>(i)].max_length;
    Field(i).tag = kFields[static_cast<size_t>(i)].tag;
  }
}

void PannellonisticaForm::ClickOption(int index) {
  site_class_ = index;
}

void PannellonisticaForm::carica_pannellonistica() {
  std::map<std::string, std::string> values;
  try {
    values = ReadKeys(DataFilePath(), BillboardKeyList(), DataAccess::kReadCreate, lock_wait_);
  } catch (const std::exception& error) {
    boxes_.Fail(std::string(kWindowCaption), error.what());
  }
  const std::string site_class = UpperCase(values[std::string(kSiteClassKey)]);
  ClickOption(-1);
  for (size_t i = 0; i < kOptions.size(); ++i) {
    if (site_class == kOptions[i].code) ClickOption(static_cast<int>(i));
  }
  for (int i = 0; i < kFieldCount; ++i) {
    const std::string key(kFields[static_cast<size_t>(i)].key);
    const bool stored = values.contains(key);
    const std::string& value = values[key];
    if (!IsDateField(i)) {
      SetFieldText(Field(i), value);
      continue;
    }
    if (value.empty() || value == "0") {
      SetFieldText(Field(i), kDatePlaceholder);
    } else {
      SetFieldText(Field(i), StoredDateToText(value));
    }
    Loaded(i).reset();
    if (stored) Loaded(i) = LoadedDate{Field(i).text, value};
  }
}

std::optional<std::string> PannellonisticaForm::StoredDate(int index, const char* refusal) {
  const std::string& text = Field(index).text;
  // Untouched, a stored value is kept as it was, even one this form would not write.
  if (Loaded(index) && text == Loaded(index)->text) return Loaded(index)->stored;
  if (text == kDatePlaceholder) return "0";
  std::string stored = TextDateToStored(text);
  if (!IsNumber(stored) || (CompareNumbers(stored, "0") != 0 && CheckStoredDate(stored) != 0)) {
    boxes_.Notify(std::string(kWindowCaption), refusal);
    return std::nullopt;
  }
  return stored;
}

bool PannellonisticaForm::salva() {
  if (!boxes_.AskYesNo(kConfirmTitle, kConfirmText)) return false;
  const std::optional<std::string> start = StoredDate(kStartField, kBadStart);
  if (!start) return false;
  const std::optional<std::string> end = StoredDate(kEndField, kBadEnd);
  if (!end) return false;
  if (IsDate(*start) && IsDate(*end) && CompareNumbers(DatePart(*end), DatePart(*start)) < 0) {
    boxes_.Notify(std::string(kWindowCaption), kEndBeforeStart);
    return false;
  }
  std::vector<std::string> values;
  values.emplace_back(site_class_ < 0 ? "" : kOptions[static_cast<size_t>(site_class_)].code);
  for (int i = 0; i < kFieldCount; ++i) values.push_back(Field(i).text);
  values[1 + kStartField] = *start;
  values[1 + kEndField] = *end;
  if (!Save(values)) return false;
  // What the fields show now is what the file holds.
  Loaded(kStartField) = LoadedDate{Field(kStartField).text, *start};
  Loaded(kEndField) = LoadedDate{Field(kEndField).text, *end};
  return true;
}

bool PannellonisticaForm::Save(const std::vector<std::string>& values) {
  try {
    // The file is read again under the lock: records others added meanwhile are kept.
    DataFile file(DataFilePath(), DataAccess::kSave, lock_wait_);
    for (size_t i = 0; i < kBillboardKeys.size(); ++i) file.Upsert(kBillboardKeys[i], values[i]);
    file.Close();
  } catch (const std::exception& error) {
    boxes_.Fail(std::string(kWindowCaption), error.what());
    return false;
  }
  return true;
}

}  // namespace pannellonistica
