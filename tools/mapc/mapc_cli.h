// The mapc command line: compile map sources, check them, or dump a compiled map.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace mapc {

// Runs mapc with the arguments after the program name. Messages go to err, a dump
// (without -o) to out. Returns the exit status: 0 done, 1 a source or map had
// errors or a file could not be read or written, 2 bad usage.
int RunMapc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads a whole host file, at most maxBytes. False when it cannot be read or is larger.
bool ReadHostFile(const std::string& path, size_t maxBytes, std::string& bytes);

}  // namespace mapc
