// Italian wording of the system's file errors, for the program's message boxes.
#pragma once

#include <string>

namespace pannellonistica {

// A short Italian phrase for an errno value ("accesso negato", "disco pieno"...).
std::string SystemErrorText(int error);

}  // namespace pannellonistica
