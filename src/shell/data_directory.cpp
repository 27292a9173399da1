#include "shell/data_directory.h"

#include <unistd.h>

#include <cstdlib>

#include "base/files.h"

// Set by the build from the install layout (cmake/Install.cmake).
#ifndef VEXMOOR_SHARE_DIR
#define VEXMOOR_SHARE_DIR ""
#endif
#ifndef VEXMOOR_SHARE_FROM_PROGRAM
#define VEXMOOR_SHARE_FROM_PROGRAM ""
#endif

namespace {

bool HasData(const std::filesystem::path& folder) {
  std::error_code ignored;
  return std::filesystem::is_directory(folder / "Data", ignored) ||
         std::filesystem::is_directory(HostPath((folder / "Data").string()), ignored);
}

}  // namespace

std::vector<std::filesystem::path> DataDirectoryCandidates(const std::filesystem::path& programDir) {
  std::vector<std::filesystem::path> folders = {"."};
  if (!programDir.empty()) {
    folders.push_back(programDir);
    if (VEXMOOR_SHARE_FROM_PROGRAM[0] != '\0') {
      folders.push_back((programDir / VEXMOOR_SHARE_FROM_PROGRAM).lexically_normal());
    }
  }
  if (VEXMOOR_SHARE_DIR[0] != '\0') folders.push_back(VEXMOOR_SHARE_DIR);
  return folders;
}

std::filesystem::path FirstWithData(const std::vector<std::filesystem::path>& folders) {
  for (const std::filesystem::path& folder : folders) {
    if (HasData(folder)) return folder;
  }
  return {};
}

bool ChooseDataDirectory(const std::string& dataDir, std::string& error) {
  if (!dataDir.empty()) {
    if (chdir(dataDir.c_str()) != 0) {
      error = "cannot use the data folder \"" + dataDir + "\"";
      return false;
    }
    return true;
  }
  std::error_code failed;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
  const std::filesystem::path chosen = FirstWithData(DataDirectoryCandidates(failed ? "" : program.parent_path()));
  if (!chosen.empty() && chosen != "." && chdir(chosen.c_str()) != 0) {
    // Stay where we are; the game then runs without its images.
  }
  return true;
}

std::string UserMapFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string base =
      xdg != nullptr && xdg[0] == '/' ? xdg : std::string(home != nullptr ? home : ".") + "/.local/share";
  return base + "/vexmoor/Data/Maps";
}

std::string MapBasePath(const std::string& name) {
  const std::string shipped = "Data\\Maps\\" + name;
  std::error_code ignored;
  if (std::filesystem::is_regular_file(HostPath(shipped + ".map"), ignored)) return shipped;
  const std::string user = UserMapFolder() + "/" + name;
  if (std::filesystem::is_regular_file(user + ".map", ignored)) return user;
  return shipped;
}
