// Runs part of a test in a child process: for faults that must not touch the test process
// itself (a file-size limit, a lost privilege, a lock held by someone else).
#pragma once

#include <sys/resource.h>

#include <functional>
#include <optional>
#include <string>

namespace pagora::testing {

struct ChildOptions {
  // Drop root's privileges to the unprivileged user "nobody" before running; a caller that
  // is not root runs as itself.
  bool unprivileged = false;
  // RLIMIT_FSIZE for the child, with SIGXFSZ ignored so that writes past it fail instead.
  std::optional<rlim_t> file_size_limit;
};

struct ChildResult {
  bool ran = false;      // false: no child, or it could not drop its privileges
  std::string reason;    // why it did not run
  std::string report;    // what the body returned
  int exit_status = -1;  // the child's exit status; -1 when it was killed
};

// Forks, applies `options`, runs `body` in the child and collects the text it returns. The
// body must not use GoogleTest assertions: the parent checks its report.
ChildResult RunInChild(const std::function<std::string()>& body, const ChildOptions& options = {});

// Makes `path` and everything under it reachable and writable by every user, so that an
// unprivileged child can work in a folder the test made as root.
void OpenToEveryone(const std::string& path);

}  // namespace pagora::testing
