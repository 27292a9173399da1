// Reads the text of a map source into a MapSource (see docs/maps.md for the format).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "map_source.h"

namespace mapc {

// Parses text. Every problem found is added to diags with its line; returns false
// when any of them is an error. fileName is kept for messages; the map name
// defaults to it without directories and extension.
bool ParseSource(std::string_view text, const std::string& fileName, MapSource& out,
                 std::vector<Diagnostic>& diags);

// "file:line: error: text" (or "file: ..." without a line).
std::string FormatDiagnostic(const std::string& fileName, const Diagnostic& d);

}  // namespace mapc
