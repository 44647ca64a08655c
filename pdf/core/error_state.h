#pragma once

#include <string>

namespace pagora {

// The last failure recorded by an operation that traps its own failures.
struct ErrorState {
  int number = 0;
  std::string source;       // "Pagora." and the operation's name
  std::string description;  // the error's description, " - " and a detail such as a file name
};

}  // namespace pagora
