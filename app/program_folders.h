// Where the program finds its pictures and keeps its data: beside the executable in a
// build tree; under <prefix>/share/pannellonistica and in the user's data folder once
// installed system-wide.
#pragma once

#include <filesystem>
#include <optional>

namespace pannellonistica {

// The pictures of an installed tree, relative to the program's folder, so that the
// installed tree can be moved as a whole.
inline constexpr char kInstalledPicturesFolder[] = "../share/pannellonistica";

// The billboard's pictures: <program folder>/../share/pannellonistica when it exists,
// otherwise the program's folder itself (a build tree copies them there).
std::filesystem::path PicturesFolder(const std::filesystem::path& program_folder);

// True when this user may create files in `folder`.
bool FolderIsWritable(const std::filesystem::path& folder);

// The folder of the data file and the billboard: `chosen` (--cartella) when given;
// otherwise the program's folder when it is writable; otherwise `user_folder` (the
// desktop's data folder of this user), created when missing. A folder that cannot be
// created is returned all the same: loading and printing then say why, naming the file.
std::filesystem::path DataFolder(const std::optional<std::filesystem::path>& chosen,
                                 const std::filesystem::path& program_folder,
                                 bool program_folder_writable,
                                 const std::filesystem::path& user_folder);

}  // namespace pannellonistica
