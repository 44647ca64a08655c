// The message boxes the form shows, behind an interface so tests can answer them. Texts are
// UTF-8; every button is labelled in Italian ("Sì", "No", "OK").
#pragma once

#include <string>

namespace pannellonistica {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Yes/No question without icon; true for Yes.
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  // OK-only notice without icon.
  virtual void Notify(const std::string& title, const std::string& text) = 0;
  // OK-only failure with the critical icon.
  virtual void Fail(const std::string& title, const std::string& text) = 0;
  // OK-only warning: something was done, but not all of it.
  virtual void Warn(const std::string& title, const std::string& text) = 0;
};

}  // namespace pannellonistica
