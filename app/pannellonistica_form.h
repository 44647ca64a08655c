// The data-entry form's state and behaviour without any toolkit: the thirteen text fields,
// the site class option group and its pictures, loading from and saving to the data file.
// The Qt window mirrors this state into widgets and forwards their events here.
#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/billboard_record.h"
#include "app/data_file.h"
#include "app/form_layout.h"
#include "app/message_boxes.h"
#include "app/text_field.h"

namespace pannellonistica {

class PannellonisticaForm {
 public:
  // `folder` is the program's folder, where the data file lives; `boxes` shows messages.
  PannellonisticaForm(std::filesystem::path folder, MessageBoxes& boxes);

  TextField& Field(int index) { return fields_[static_cast<size_t>(index)]; }
  const TextField& Field(int index) const { return fields_[static_cast<size_t>(index)]; }

  // The chosen site class option, 0 to 2, or -1 when none is on.
  int SiteClass() const { return site_class_; }
  // Option button `index` clicked (or -1 to clear): its picture becomes the only visible one.
  void ClickOption(int index);
  bool PictureVisible(int index) const { return site_class_ == index; }

  std::filesystem::path DataFilePath() const { return folder_ / kDataFileName; }

  // Fills the fields and the option group from the data file. A date that is empty or "0"
  // shows the placeholder "gg/mm/aaaa". A file that cannot be read is reported with the
  // critical message box, leaving empty fields.
  void carica_pannellonistica();

  // Asks for confirmation, checks both dates and writes the fourteen keys. Returns true
  // when the file was written. A date field left as loaded keeps its stored value as it
  // was, whatever it holds; an edited one must be a valid date. Refusals and failures are
  // reported in message boxes, leave the file as it was and the fields as they are.
  bool salva();

  // How long loading and saving wait for another program that holds the data file.
  void SetLockWait(std::chrono::milliseconds wait) { lock_wait_ = wait; }

 private:
  // A date as loaded: the text the field showed and the value stored.
  struct LoadedDate {
    std::string text;
    std::string stored;
  };

  // The stored form of date field `index`, or nothing after showing `refusal`.
  std::optional<std::string> StoredDate(int index, const char* refusal);
  std::optional<LoadedDate>& Loaded(int index) {
    return loaded_dates_[index == kStartField ? 0 : 1];
  }
  bool Save(const std::vector<std::string>& values);

  static constexpr int kStartField = 4;
  static constexpr int kEndField = 5;

  std::filesystem::path folder_;
  MessageBoxes& boxes_;
  std::array<TextField, kFieldCount> fields_;
  int site_class_ = -1;
  std::array<std::optional<LoadedDate>, 2> loaded_dates_;
  std::chrono::milliseconds lock_wait_ = kDataFileLockWait;
};

}  // namespace pannellonistica
