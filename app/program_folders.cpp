#include "app/program_folders.h"

#include <unistd.h>

#include <system_error>

namespace pannellonistica {

std::filesystem::path PicturesFolder(const std::filesystem::path& program_folder) {
  std::error_code error;
  const std::filesystem::path installed = program_folder / kInstalledPicturesFolder;
  if (std::filesystem::is_directory(installed, error)) return installed.lexically_normal();
  return program_folder;
}

bool FolderIsWritable(const std::filesystem::path& folder) {
  // access() also answers for read-only mounts, which the mode bits do not show.
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::filesystem::path DataFolder(const std::optional<std::filesystem::path>& chosen,
                                 const std::filesystem::path& program_folder,
                                 bool program_folder_writable,
                                 const std::filesystem::path& user_folder) {
  if (chosen) return *chosen;
  if (program_folder_writable) return program_folder;
  std::error_code error;
  std::filesystem::create_directories(user_folder, error);
  return user_folder;
}

}  // namespace pannellonistica
