// Replacing a file's whole content so that every reader sees either the old bytes or the
// new ones, never a mix, and a failure (full disk, file-size limit, a kill) leaves the old.
#pragma once

#include <filesystem>
#include <string_view>

namespace pannellonistica {

// Writes `bytes` to a new file beside `path`, forces it to the disk and renames it over
// `path` (over the file a symbolic link leads to, keeping the link), with the mode and,
// where allowed, the owner of the file it replaces. Returns 0 or the errno of the failed
// step; on failure the new file is removed and `path` is untouched.
int ReplaceFileContent(const std::filesystem::path& path, std::string_view bytes);

}  // namespace pannellonistica
