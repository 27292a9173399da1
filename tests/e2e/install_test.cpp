// Installing: `cmake --install` into a temporary DESTDIR lays out the programs, the
// whole Data tree, the tools, the menu entry, its icons and metadata, the man pages and
// the licence, and the installed game runs from any folder on its installed data.
// Packaging: the Debian packages CPack makes pass lintian.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
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

// The .deb in a folder whose name starts with `prefix`, empty when there is none.
fs::path PackageFile(const fs::path& folder, const std::string& prefix) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    if (file.rfind(prefix, 0) == 0 && file.ends_with(".deb")) return entry.path();
  }
  return {};
}

// Whether a program is found in PATH: the checkers below run only where installed.
bool Installed(const std::string& tool) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (!dir.empty() && access((dir + "/" + tool).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// The menu entry and the AppStream metadata of an installed tree, through the checkers a
// distribution runs, and the screenshots the metadata names.
void CheckDesktopMetadata(const fs::path& prefix) {
  const fs::path entry = prefix / "share/applications/io.vexmoor.Vexmoor.desktop";
  const fs::path metainfo = prefix / "share/metainfo/io.vexmoor.Vexmoor.metainfo.xml";
  const std::string metadata = FileText(metainfo);
  EXPECT_NE(metadata.find("<launchable type=\"desktop-id\">io.vexmoor.Vexmoor.desktop</launchable>"), std::string::npos);
  for (const char* shot : {"arena.png", "bunker.png"}) {
    Image image;
    ASSERT_TRUE(LoadPngFile((prefix / "share/doc/vexmoor/screenshots" / shot).string(), image)) << shot;
    EXPECT_EQ(image.width, 1024);
    EXPECT_GT(BrightShare(image, 40), 0.2) << shot << " is mostly dark";
    EXPECT_NE(metadata.find(std::string("/screenshots/") + shot + "</image>"), std::string::npos) << shot;
  }
  if (Installed("desktop-file-validate")) {
    const ProcessResult valid = RunProcess({"desktop-file-validate", entry.string()}, {}, 60.0);
    EXPECT_TRUE(valid.Succeeded() && valid.out.empty()) << valid.out << valid.err;
  }
  if (Installed("appstreamcli")) {
    const ProcessResult valid = RunProcess({"appstreamcli", "validate", "--no-net", metainfo.string()}, {}, 60.0);
    EXPECT_TRUE(valid.Succeeded()) << valid.out << valid.err;
  }
}

// Each page renders through man with its program's name, and with an OPTIONS list that
// names every option of the program's --help.
void CheckManPages(const fs::path& prefix, const std::vector<std::pair<std::string, fs::path>>& pages) {
  if (!Installed("man")) return;
  for (const auto& [page, program] : pages) {
    const fs::path file = prefix / "share/man" / ("man" + page.substr(page.size() - 1)) / (page + ".gz");
    ASSERT_TRUE(fs::is_regular_file(file)) << file;
    const ProcessResult shown =
        RunProcess({"man", "--warnings", "-l", file.string()}, {{"MANWIDTH=200"}}, 60.0);
    ASSERT_TRUE(shown.Succeeded()) << page << shown.err;
    EXPECT_EQ(shown.err, "") << page;
    const std::string name = program.filename().string();
    EXPECT_NE(shown.out.find("NAME\n       " + name + " - "), std::string::npos) << page << shown.out;
    const ProcessResult help = RunProcess({program.string(), "--help"}, {}, 60.0);
    std::stringstream words(help.out);
    for (std::string word; words >> word;) {
      if (word.rfind("--", 0) == 0 && word.size() > 2 && std::isalpha(static_cast<unsigned char>(word[2]))) {
        const std::string option = word.substr(0, word.find_first_not_of("-abcdefghijklmnopqrstuvwxyz0123456789"));
        EXPECT_NE(shown.out.find(option), std::string::npos) << page << " leaves out " << option;
      }
    }
  }
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
  for (const char* file : {"games/vexmoor", "games/vexmoor-soft", "bin/mapc", "bin/artgen",
                           "share/doc/vexmoor-tools/maps.md", "share/applications/io.vexmoor.Vexmoor.desktop"}) {
    EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
  }
  const std::string licence = FileText(prefix / "share/doc/vexmoor/copyright");
  EXPECT_EQ(licence.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0), 0u);
  EXPECT_NE(licence.find("License: GPL-2+\n"), std::string::npos);
  EXPECT_EQ(FileText(prefix / "share/doc/vexmoor-tools/copyright"), licence);
  CheckDesktopMetadata(prefix);
  std::vector<std::pair<std::string, fs::path>> pages = {{"mapc.1", prefix / "bin/mapc"},
                                                         {"artgen.1", prefix / "bin/artgen"}};
  if (!CacheValue("VEXMOOR_HELP2MAN:FILEPATH").ends_with("NOTFOUND")) {
    pages.push_back({"vexmoor.6", prefix / "games/vexmoor"});
    pages.push_back({"vexmoor-soft.6", prefix / "games/vexmoor-soft"});
  }
  CheckManPages(prefix, pages);
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
  const std::string entry = FileText(prefix / "share/applications/io.vexmoor.Vexmoor.desktop");
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

TEST(Package, BothDebianPackagesPassLintian) {
  if (CacheValue("VEXMOOR_SANITIZE:BOOL") == "ON") GTEST_SKIP() << "packages are made from the ordinary build";
  if (!Installed("dpkg-deb")) GTEST_SKIP() << "dpkg-deb is not installed";
  const std::string cmake = CacheValue("CMAKE_COMMAND:INTERNAL");
  const fs::path cpack = fs::path(cmake).parent_path() / "cpack";
  TempDir out;
  const ProcessResult packed =
      RunProcess({cpack.string(), "--config", BuildDir() + "/CPackConfig.cmake", "-B", out.path()}, {}, 600.0);
  ASSERT_TRUE(packed.Succeeded()) << packed.out << packed.err;
  const fs::path game = PackageFile(out.path(), "vexmoor_");
  const fs::path tools = PackageFile(out.path(), "vexmoor-tools_");
  ASSERT_TRUE(fs::is_regular_file(game)) << packed.out;
  ASSERT_TRUE(fs::is_regular_file(tools)) << packed.out;

  // The games section holds no program in /usr/bin: the tools have their own package.
  const std::vector<std::pair<fs::path, std::string>> sections = {{game, "games"}, {tools, "devel"}};
  for (const auto& [deb, section] : sections) {
    const ProcessResult field = RunProcess({"dpkg-deb", "--field", deb.string(), "Section"}, {}, 60.0);
    EXPECT_EQ(field.out, section + "\n") << deb;
  }
  const ProcessResult listing = RunProcess({"dpkg-deb", "--contents", game.string()}, {}, 60.0);
  EXPECT_EQ(listing.out.find("./usr/bin/"), std::string::npos);
  EXPECT_NE(listing.out.find("./usr/share/doc/vexmoor/changelog.gz"), std::string::npos);

  if (!Installed("lintian")) GTEST_SKIP() << "lintian is not installed";
  const ProcessResult lint = RunProcess({"lintian", game.string(), tools.string()}, {}, 600.0);
  EXPECT_TRUE(lint.Succeeded()) << lint.out << lint.err;
  EXPECT_EQ(lint.out, "");
}
