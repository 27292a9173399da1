// Installing: `cmake --install` into a temporary DESTDIR lays out the programs, the
// whole Data tree, the tools, the menu entry and its icons, and the installed game
// runs from any folder on its installed data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "e2e/program_runner.h"
#include "base/files.h"
#include "support/json_check.h"

namespace {

namespace fs = std::filesystem;

// A value of the build tree's CMakeCache.txt ("CMAKE_INSTALL_PREFIX:PATH"), empty when absent.
std::string CacheValue(const std::string& key) {
  std::ifstream cache(BuildDir() + "/CMakeCache.txt");
  for (std::string line; std::getline(cache, line);) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "";
}

// Every regular file under a folder, relative to it.
std::set<std::string> FilesUnder(const fs::path& root) {
  std::set<std::string> files;
  std::error_code failed;
  for (fs::recursive_directory_iterator it(root, failed), end; !failed && it != end; it.increment(failed)) {
    if (it->is_regular_file()) files.insert(fs::relative(it->path(), root).string());
  }
  return files;
}

// An installed program run with `workDir` as its working directory.
ProcessResult RunIn(const std::string& workDir, const fs::path& program, std::vector<std::string> args) {
  args.insert(args.begin(), {"env", "-C", workDir, program.string()});
  return RunProcess(args, {}, 120.0);
}

std::string FileText(const fs::path& file) {
  std::string text;
  ReadWholeFile(file.string(), text);
  return text;
}

}  // namespace

TEST(Install, DestdirTreeHoldsEverythingAndTheGameRunsFromAnotherFolder) {
  const std::string cmake = CacheValue("CMAKE_COMMAND:INTERNAL");
  const std::string configuredPrefix = CacheValue("CMAKE_INSTALL_PREFIX:PATH");
  ASSERT_FALSE(cmake.empty());
  ASSERT_FALSE(configuredPrefix.empty());
  TempDir dest;
  TempDir work;
  SpawnOptions options;
  options.env = {"DESTDIR=" + dest.path()};
  const ProcessResult install = RunProcess({cmake, "--install", BuildDir()}, options, 300.0);
  ASSERT_TRUE(install.Succeeded()) << install.out << install.err;

  const fs::path prefix = fs::path(dest.path()) / fs::path(configuredPrefix).relative_path();
  for (const char* file : {"games/vexmoor", "games/vexmoor-soft", "bin/mapc", "bin/artgen", "share/doc/vexmoor/maps.md",
                           "share/applications/vexmoor.desktop"}) {
    EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
  }
  const fs::path share = prefix / "share/games/vexmoor";
  EXPECT_EQ(FilesUnder(share / "Data"), FilesUnder(fs::path(BuildDir()) / "Data"));
  for (int size : {48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    Image icon;
    ASSERT_TRUE(LoadPngFile((prefix / ("share/icons/hicolor/" + side + "x" + side + "/apps/vexmoor.png")).string(), icon))
        << size;
    EXPECT_EQ(icon.width, size);
    EXPECT_EQ(icon.height, size);
  }
  const std::string entry = FileText(prefix / "share/applications/vexmoor.desktop");
  for (const char* line : {"[Desktop Entry]\n", "\nExec=vexmoor\n", "\nIcon=vexmoor\n", "\nCategories=Game;ActionGame;\n"}) {
    EXPECT_NE(entry.find(line), std::string::npos) << line;
  }

  // Neither the working folder nor the program's folder holds Data: the installed share folder is used.
  const ProcessResult run =
      RunIn(work.path(), prefix / "games/vexmoor-soft", {"--headless", "--map", "Test", "--frames", "5", "--state"});
  ASSERT_TRUE(run.Succeeded()) << run.err;
  EXPECT_EQ(JsonNumber(run.out, "frame"), 5);
  EXPECT_EQ(JsonNumber(run.out, "map.tileSize"), 64);

  // The installed mapc compiles the map source to the installed bytes.
  const ProcessResult mapc =
      RunIn(work.path(), prefix / "bin/mapc", {"-o", work.File("Maps"), SourceDir() + "/data/maps/Test.vxmap"});
  ASSERT_TRUE(mapc.Succeeded()) << mapc.err;
  EXPECT_EQ(FileText(work.File("Maps/Test.map")), FileText(share / "Data/Maps/Test.map"));

  // It is this install's Data that was read: without its map the run fails.
  fs::remove(share / "Data/Maps/Test.map");
  const ProcessResult missing =
      RunIn(work.path(), prefix / "games/vexmoor-soft", {"--headless", "--map", "Test", "--frames", "5"});
  EXPECT_EQ(missing.exitCode, 1) << missing.err;
}
