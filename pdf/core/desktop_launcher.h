#pragma once

#include <string>

namespace pagora {

// Asks the desktop to open a file with its default application (`xdg-open`), in a
// detached process: it never waits for the application and leaves no zombie behind.
// Returns false when the process could not be started.
bool OpenWithDefaultApplication(const std::string& path);

}  // namespace pagora
