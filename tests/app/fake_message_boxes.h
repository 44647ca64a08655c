// Message boxes answered by the test: every question gets `answer`, every box is recorded.
#pragma once

#include <string>
#include <vector>

#include "app/message_boxes.h"

namespace pannellonistica::testing {

class FakeMessageBoxes : public MessageBoxes {
 public:
  bool answer = true;
  std::vector<std::string> shown;  // "title: text", in order

  bool AskYesNo(const std::string& title, const std::string& text) override {
    shown.push_back(title + ": " + text);
    return answer;
  }
  void Notify(const std::string& title, const std::string& text) override {
    shown.push_back(title + ": " + text);
  }
  void Fail(const std::string& title, const std::string& text) override {
    shown.push_back("FAIL " + title + ": " + text);
  }
  void Warn(const std::string& title, const std::string& text) override {
    shown.push_back("WARN " + title + ": " + text);
  }
};

}  // namespace pannellonistica::testing
