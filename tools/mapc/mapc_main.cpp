// mapc: the map compiler. See docs/maps.md.
#include <iostream>
#include <string>
#include <vector>

#include "mapc_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return mapc::RunMapc(args, std::cout, std::cerr);
}
