// The folders searched for Data and which of them wins.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/data_directory.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(DataDirectory, CandidatesRunFromTheWorkingFolderToTheInstalledShareFolder) {
  const std::vector<fs::path> folders = DataDirectoryCandidates("/opt/vx/games");
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders[0], ".");
  EXPECT_EQ(folders[1], "/opt/vx/games");
  EXPECT_EQ(folders[2], "/opt/vx/share/games/vexmoor");
  // The configured prefix's share folder comes last, as an absolute path.
  EXPECT_TRUE(folders[3].is_absolute()) << folders[3];
  EXPECT_EQ(folders[3].filename(), "vexmoor");
  // Without the program's folder only the working folder and the configured one remain.
  EXPECT_EQ(DataDirectoryCandidates(""), (std::vector<fs::path>{folders[0], folders[3]}));
}

TEST(DataDirectory, FirstFolderHoldingDataWins) {
  struct Case {
    std::vector<std::string> entries;  // made under the temporary root: folders, or a file when ending in "~"
    std::string chosen;                // empty: none
  };
  const std::vector<Case> cases = {
      {{"games/Data", "share/games/vexmoor/Data"}, "games"},
      {{"share/games/vexmoor/Data"}, "share/games/vexmoor"},
      {{"share/games/vexmoor/DATA"}, "share/games/vexmoor"},  // matched whatever its case
      {{"games/Data~", "share/games/vexmoor/Data"}, "share/games/vexmoor"},  // a file named Data is passed over
      {{"games/Data~"}, ""},
      {{}, ""},
  };
  for (const Case& c : cases) {
    TempDir root;
    const fs::path base = root.path();
    fs::create_directories(base / "games");
    fs::create_directories(base / "share/games/vexmoor");
    for (const std::string& entry : c.entries) {
      if (entry.ends_with("~")) {
        root.Write(entry.substr(0, entry.size() - 1), "x");
      } else {
        fs::create_directories(base / entry);
      }
    }
    const std::vector<fs::path> folders = {base / "games", base / "share/games/vexmoor"};
    EXPECT_EQ(FirstWithData(folders), c.chosen.empty() ? fs::path() : base / c.chosen) << c.chosen;
  }
}

}  // namespace
