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
    values = ReadKeys(DataFilePath(), BillboardKeyList());
  } catch (const DataFileError& error) {
    boxes_.Fail(std::string(kWindowCaption), error.what());
  }
  const std::string site_class = UpperCase(values[std::string(kSiteClassKey)]);
  ClickOption(-1);
  for (size_t i = 0; i < kOptions.size(); ++i) {
    if (site_class == kOptions[i].code) ClickOption(static_cast<int>(i));
  }
  for (int i = 0; i < kFieldCount; ++i) {
    const std::string& value = values[std::string(kFields[static_cast<size_t>(i)].key)];
    if (!IsDateField(i)) {
      SetFieldText(Field(i), value);
    } else if (value.empty() || value == "0") {
      SetFieldText(Field(i), kDatePlaceholder);
    } else {
      SetFieldText(Field(i), StoredDateToText(value));
    }
  }
}

std::optional<std::string> PannellonisticaForm::StoredDate(int index, const char* refusal) {
  std::string stored = TextDateToStored(Field(index).text);
  if (!IsNumber(stored)) return "0";
  if (CompareNumbers(stored, "0") != 0 && CheckStoredDate(stored) != 0) {
    boxes_.Notify(std::string(kWindowCaption), refusal);
    return std::nullopt;
  }
  return stored;
}

bool PannellonisticaForm::salva() {
  if (!boxes_.AskYesNo(kConfirmTitle, kConfirmText)) return false;
  const std::optional<std::string> start = StoredDate(4, kBadStart);
  if (!start) return false;
  const std::optional<std::string> end = StoredDate(5, kBadEnd);
  if (!end) return false;
  if (CompareNumbers(*start, "0") != 0 && CompareNumbers(*end, "0") != 0 &&
      CompareNumbers(*end, *start) < 0) {
    boxes_.Notify(std::string(kWindowCaption), kEndBeforeStart);
    return false;
  }
  std::vector<std::string> values;
  values.emplace_back(site_class_ < 0 ? "" : kOptions[static_cast<size_t>(site_class_)].code);
  for (int i = 0; i < kFieldCount; ++i) values.push_back(Field(i).text);
  values[5] = *start;
  values[6] = *end;
  try {
    DataFile file(DataFilePath());
    for (size_t i = 0; i < kBillboardKeys.size(); ++i) file.Upsert(kBillboardKeys[i], values[i]);
    file.Close();
  } catch (const DataFileError& error) {
    boxes_.Fail(std::string(kWindowCaption), error.what());
    return false;
  }
  return true;
}

}  // namespace pannellonistica
