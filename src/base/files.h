// Files and directories. Game paths are written as the game writes them
// ("Data\Maps\" + name): backslashes separate components, and a component that does
// not exist under its exact name is matched case-insensitively, because the data
// was authored on a case-insensitive file system. Relative paths are relative to
// the working directory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The host path for a game path: "\" becomes "/", and each component is matched
// case-insensitively (ASCII) when the exact name does not exist. Components that
// match nothing are kept as written, so the result names a missing file.
std::string HostPath(std::string_view gamePath);

// Names of the entries of a directory (game path) whose names match a pattern with
// "*" and "?" wildcards, compared case-insensitively ("*.map"). "." and ".." are
// left out; entries are not filtered by type. Sorted case-insensitively, the order
// the original platform lists them in. Returns false when the directory cannot be
// listed (names is then empty).
bool ListDirectory(std::string_view gameDir, std::string_view pattern, std::vector<std::string>& names);

// Wildcard match used by ListDirectory ("*" any run, "?" any one character),
// case-insensitive.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Reads a whole file (game path) into memory, at most maxBytes bytes. Returns false
// when it cannot be opened.
bool ReadWholeFile(std::string_view gamePath, std::string& out, size_t maxBytes = 64u << 20);

// Writes `bytes` as the whole file at hostPath (a host path, not a game path),
// replacing what was there. False when it cannot be opened, written or closed.
bool WriteWholeFile(const std::string& hostPath, std::string_view bytes);

// Sequential reader of a binary or text file, buffered. Every read past the end of
// the file yields zero bytes (so a file that ends early reads as zeros), and AtEnd
// tells when everything has been consumed.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // Opens a game path; false when it cannot be opened (or is a directory).
  bool Open(std::string_view gamePath);
  // Reads from bytes held in memory instead of a file (tests, embedded data).
  void OpenMemory(std::string bytes);
  void Close();
  bool IsOpen() const { return file_ != nullptr || memory_; }

  int32_t ReadInt32();   // little-endian, signed
  float ReadFloat();     // little-endian IEEE-754 single
  uint8_t ReadUint8();
  int8_t ReadInt8();
  int16_t ReadInt16();   // little-endian, signed
  // Reads n bytes into out (zero bytes past the end). Returns how many came from
  // the file.
  size_t ReadBytes(void* out, size_t n);
  // Skips n bytes (as many as there are).
  void Skip(uint64_t n);
  // One line by the text line rule: the line ends at CR, LF, CR LF, a zero byte or
  // the end of the file; the end mark is consumed and not part of the line. At most
  // maxLength bytes are kept; the rest of a longer line is consumed and dropped.
  std::string ReadLine(size_t maxLength = 1u << 20);
  // True when every byte of the file has been read.
  bool AtEnd();
  // Bytes not yet read (0 at the end).
  uint64_t Remaining();

 private:
  bool Fill();
  int Get();   // next byte or -1 at the end
  int Peek();  // next byte without consuming it, or -1

  std::FILE* file_ = nullptr;
  bool memory_ = false;
  std::string buffer_;
  size_t pos_ = 0;
};
