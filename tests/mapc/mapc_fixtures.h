// Shared pieces of the mapc tests: a small hand map, the shipped sources, and
// helpers that compile and dump in memory.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "map_compiler.h"
#include "map_dump.h"
#include "mapc_cli.h"
#include "source_parser.h"
#include "support/temp_dir.h"

namespace mapc_test {

// Four columns, three rows, two layers; one light, one door, one enemy.
inline const char* const kTinySource = R"(; a tiny map
map Tiny
value 2.5
header "Hi"
tile 32
start at 48 50

legend
#  wall  "Wall Metal.png"  material 1
.  floor "Floor Metal.png"
_  empty
r  floor "Deco Rubble.png"

layer 0
####
#..#
####

layer 1
____
_r__
____

light Red at 10 20 size 30 40 angle -5 off
door LabV cell 2 1
turret at 40 40
)";

inline std::vector<std::string> ShippedMapNames() { return {"Test", "Bunker", "Arena"}; }

inline std::string ShippedSourcePath(const std::string& name) {
  return SourceDir() + "/data/maps/" + name + ".vxmap";
}

inline std::string ReadSource(const std::string& path) {
  std::string text;
  EXPECT_TRUE(mapc::ReadHostFile(path, 64u << 20, text)) << path;
  return text;
}

// Compiles text that must compile; fails the test with the messages otherwise.
inline mapc::CompiledMap MustCompile(const std::string& text, const std::string& file = "test.vxmap") {
  mapc::CompiledMap map;
  std::vector<mapc::Diagnostic> diags;
  bool ok = mapc::CompileText(text, file, map, diags);
  std::string messages;
  for (const mapc::Diagnostic& d : diags) messages += mapc::FormatDiagnostic(file, d) + "\n";
  EXPECT_TRUE(ok) << messages;
  return map;
}

// Diagnostics of text that must fail to compile.
inline std::vector<mapc::Diagnostic> MustFail(const std::string& text) {
  mapc::CompiledMap map;
  std::vector<mapc::Diagnostic> diags;
  EXPECT_FALSE(mapc::CompileText(text, "bad.vxmap", map, diags));
  return diags;
}

// The source a dump prints for compiled output.
inline std::string Dump(const mapc::CompiledMap& map, bool withCompanions = true) {
  mapc::DumpInput input;
  input.name = map.name;
  input.mapBytes = map.mapBytes;
  if (withCompanions) {
    input.tileSetXml = map.tileSetXml;
    input.enemyList = map.enemyList;
  }
  std::string source;
  std::string error;
  EXPECT_TRUE(mapc::DumpMap(input, source, error)) << error;
  return source;
}

// Little-endian reads from a byte string at an offset.
inline int32_t I32At(const std::string& b, size_t offset) {
  int32_t v = 0;
  std::memcpy(&v, b.data() + offset, 4);
  return v;
}
inline int16_t I16At(const std::string& b, size_t offset) {
  int16_t v = 0;
  std::memcpy(&v, b.data() + offset, 2);
  return v;
}
inline uint8_t U8At(const std::string& b, size_t offset) { return static_cast<uint8_t>(b[offset]); }

}  // namespace mapc_test
