#pragma once

#include <unistd.h>

#include <string>

#include "pdf/core/local_time.h"

namespace pagora::bench {

// A file name in /tmp of this process's own, so that two runs do not share outputs.
inline std::string OutputPath(const char* name) {
  return "/tmp/pagora-bench-" + std::to_string(::getpid()) + "-" + name + ".pdf";
}

// The clock of every benchmark document: the same dates, the same bytes.
inline LocalTime FixedTime() {
  return {2026, 12, 7, 10, 30, 15};
}

}  // namespace pagora::bench
