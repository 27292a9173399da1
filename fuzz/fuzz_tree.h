// The scratch Data tree the file loaders read fuzz inputs from. One per process,
// made on first use under /tmp and removed at exit: Data/, Data/Maps/ and Data/GFX/.
// Data/GFX is a link to the images of an assembled Data tree when one is named by
// VEXMOOR_FUZZ_DATA (the folder holding GFX/), so the loaders find real images;
// otherwise it is an empty folder and every image is missing.
#pragma once

#include <string>
#include <string_view>

// While alive, the working directory is the scratch tree (game paths resolve in it).
class InFuzzTree {
 public:
  InFuzzTree();
  ~InFuzzTree();
  InFuzzTree(const InFuzzTree&) = delete;
  InFuzzTree& operator=(const InFuzzTree&) = delete;

 private:
  int previous_ = -1;  // descriptor of the previous working directory
};

// Writes bytes at a game path of the scratch tree ("Data\Maps\F.map"), replacing the
// file. Only valid inside an InFuzzTree.
void PutFuzzFile(std::string_view gamePath, std::string_view bytes);
