#include "pdf/core/desktop_launcher.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace pagora {

bool OpenWithDefaultApplication(const std::string& path) {
  // Fork twice: the grandchild runs the opener in its own session and is adopted by init,
  // so the caller only waits for the short-lived child.
  const char* file = path.c_str();
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (::fork() == 0) {
      ::setsid();
      ::execlp("xdg-open", "xdg-open", file, static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

}  // namespace pagora
