#include "shell/data_directory.h"

#include <unistd.h>

#include <filesystem>

#include "services/files.h"

namespace {

bool HasData(const std::filesystem::path& folder) {
  std::error_code ignored;
  return std::filesystem::is_directory(folder / "Data", ignored) ||
         std::filesystem::is_directory(HostPath((folder / "Data").string()), ignored);
}

}  // namespace

bool ChooseDataDirectory(const std::string& dataDir, std::string& error) {
  if (!dataDir.empty()) {
    if (chdir(dataDir.c_str()) != 0) {
      error = "cannot use the data folder \"" + dataDir + "\"";
      return false;
    }
    return true;
  }
  if (HasData(".")) return true;
  std::error_code failed;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
  if (!failed && HasData(program.parent_path()) && chdir(program.parent_path().c_str()) != 0) {
    // Stay where we are; the game then runs without its images.
  }
  return true;
}
