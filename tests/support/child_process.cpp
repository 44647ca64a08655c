#include "tests/support/child_process.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

namespace pagora::testing {
namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCouldNotDrop = 77;

bool DropPrivileges() {
  if (::geteuid() != 0) return true;
  const gid_t groups[] = {kNobody};
  return ::setgroups(1, groups) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
         ::setresuid(kNobody, kNobody, kNobody) == 0 && ::geteuid() == kNobody;
}

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

ChildResult RunInChild(const std::function<std::string()>& body, const ChildOptions& options) {
  ChildResult result;
  int channel[2];
  if (::pipe(channel) != 0) {
    result.reason = "pipe failed";
    return result;
  }
  const pid_t child = ::fork();
  if (child < 0) {
    result.reason = "fork failed";
    return result;
  }
  if (child == 0) {
    ::close(channel[0]);
    if (options.unprivileged && !DropPrivileges()) ::_exit(kCouldNotDrop);
    if (options.file_size_limit) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{};
      ::getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = *options.file_size_limit;
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::string report;
    try {
      report = body();
    } catch (const std::exception& e) {
      report = std::string("exception: ") + e.what();
    }
    WriteAll(channel[1], report);
    ::_exit(0);
  }
  ::close(channel[1]);
  char chunk[4096];
  ssize_t got = 0;
  while ((got = ::read(channel[0], chunk, sizeof chunk)) != 0) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    result.report.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (result.exit_status == kCouldNotDrop && options.unprivileged) {
    result.reason = "the test machine does not let this process become an unprivileged user";
    return result;
  }
  result.ran = true;
  return result;
}

void OpenToEveryone(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::permissions(path, fs::perms::all, ignored);
  for (const auto& entry : fs::recursive_directory_iterator(path, ignored)) {
    fs::permissions(entry.path(), fs::perms::all, ignored);
  }
}

}  // namespace pagora::testing
