// Files and directories on the host file system, reached through game paths.
#include "base/files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kChunkBytes = 64 * 1024;

unsigned char FoldCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// The order the original file system lists names in: by upper-cased bytes, then
// (for names that differ only in case) by the exact bytes.
bool ListsBefore(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char ca = FoldCase(a[i]);
    const unsigned char cb = FoldCase(b[i]);
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool PathExists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Every entry name of a host directory except "." and "..".
bool ReadDirectoryNames(const std::string& hostDir, std::vector<std::string>& names) {
  DIR* dir = opendir(hostDir.empty() ? "." : hostDir.c_str());
  if (dir == nullptr) return false;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  return true;
}

// The entry of hostDir whose name equals component ignoring case; when several do,
// the first in listing order. Empty when there is none.
std::string FindIgnoringCase(const std::string& hostDir, std::string_view component) {
  std::vector<std::string> names;
  if (!ReadDirectoryNames(hostDir, names)) return {};
  std::string best;
  for (const std::string& name : names) {
    if (EqualsIgnoringCase(name, component) && (best.empty() || ListsBefore(name, best))) best = name;
  }
  return best;
}

}  // namespace

std::string HostPath(std::string_view gamePath) {
  std::string path(gamePath);
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string result;
  bool resolving = true;  // false once a component matched nothing
  size_t start = 0;
  while (start <= path.size()) {
    const size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view component = std::string_view(path).substr(start, slash - start);
    std::string chosen(component);
    const bool special = component.empty() || component == "." || component == "..";
    if (resolving && !special && !PathExists(result + chosen)) {
      std::string found = FindIgnoringCase(result, component);
      if (found.empty()) {
        resolving = false;
      } else {
        chosen = std::move(found);
      }
    }
    result += chosen;
    if (slash < path.size()) result += '/';
    start = slash + 1;
  }
  return result;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t starP = std::string_view::npos;  // position after the last "*" seen
  size_t starN = 0;                       // name position that "*" was tried at
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool ListDirectory(std::string_view gameDir, std::string_view pattern, std::vector<std::string>& names) {
  names.clear();
  std::vector<std::string> all;
  if (!ReadDirectoryNames(HostPath(gameDir), all)) return false;
  for (std::string& name : all) {
    if (MatchesPattern(name, pattern)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), ListsBefore);
  return true;
}

bool ReadWholeFile(std::string_view gamePath, std::string& out, size_t maxBytes) {
  out.clear();
  const std::string host = HostPath(gamePath);
  if (IsDirectory(host)) return false;
  std::FILE* file = std::fopen(host.c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  while (out.size() < maxBytes) {
    const size_t want = std::min(sizeof chunk, maxBytes - out.size());
    const size_t got = std::fread(chunk, 1, want, file);
    out.append(chunk, got);
    if (got < want) break;
  }
  std::fclose(file);
  return true;
}

bool WriteWholeFile(const std::string& hostPath, std::string_view bytes) {
  std::FILE* file = std::fopen(hostPath.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// ---- FileReader ----

FileReader::~FileReader() { Close(); }

bool FileReader::Open(std::string_view gamePath) {
  Close();
  const std::string host = HostPath(gamePath);
  if (IsDirectory(host)) return false;
  file_ = std::fopen(host.c_str(), "rb");
  return file_ != nullptr;
}

void FileReader::OpenMemory(std::string bytes) {
  Close();
  buffer_ = std::move(bytes);
  memory_ = true;
}

void FileReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  memory_ = false;
  buffer_.clear();
  pos_ = 0;
}

bool FileReader::Fill() {
  // Once the file has ended, every further read past the end costs nothing (no
  // chunk is cleared and no read is tried again for each byte).
  if (file_ == nullptr || std::feof(file_) || std::ferror(file_)) return false;
  buffer_.resize(kChunkBytes);
  const size_t got = std::fread(buffer_.data(), 1, kChunkBytes, file_);
  buffer_.resize(got);
  pos_ = 0;
  return got > 0;
}

int FileReader::Get() {
  if (pos_ >= buffer_.size() && !Fill()) return -1;
  return static_cast<unsigned char>(buffer_[pos_++]);
}

int FileReader::Peek() {
  if (pos_ >= buffer_.size() && !Fill()) return -1;
  return static_cast<unsigned char>(buffer_[pos_]);
}

size_t FileReader::ReadBytes(void* out, size_t n) {
  auto* dest = static_cast<uint8_t*>(out);
  size_t done = 0;
  while (done < n) {
    if (pos_ >= buffer_.size() && !Fill()) break;
    const size_t take = std::min(n - done, buffer_.size() - pos_);
    std::memcpy(dest + done, buffer_.data() + pos_, take);
    pos_ += take;
    done += take;
  }
  if (done < n) std::memset(dest + done, 0, n - done);
  return done;
}

void FileReader::Skip(uint64_t n) {
  while (n > 0) {
    if (pos_ >= buffer_.size() && !Fill()) return;
    const uint64_t take = std::min<uint64_t>(n, buffer_.size() - pos_);
    pos_ += static_cast<size_t>(take);
    n -= take;
  }
}

uint8_t FileReader::ReadUint8() {
  uint8_t b = 0;
  ReadBytes(&b, 1);
  return b;
}

int8_t FileReader::ReadInt8() { return static_cast<int8_t>(ReadUint8()); }

int16_t FileReader::ReadInt16() {
  uint8_t b[2];
  ReadBytes(b, 2);
  return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
}

int32_t FileReader::ReadInt32() {
  uint8_t b[4];
  ReadBytes(b, 4);
  const uint32_t v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                     (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  return static_cast<int32_t>(v);
}

float FileReader::ReadFloat() {
  const int32_t bits = ReadInt32();
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

std::string FileReader::ReadLine(size_t maxLength) {
  std::string line;
  for (int c = Get(); c != -1; c = Get()) {
    if (c == '\n' || c == 0) break;
    if (c == '\r') {
      if (Peek() == '\n') Get();
      break;
    }
    if (line.size() < maxLength) line.push_back(static_cast<char>(c));
  }
  return line;
}

bool FileReader::AtEnd() { return pos_ >= buffer_.size() && !Fill(); }

uint64_t FileReader::Remaining() {
  uint64_t left = pos_ < buffer_.size() ? buffer_.size() - pos_ : 0;
  if (file_ == nullptr) return left;
  struct stat info;
  const off_t here = ftello(file_);
  if (fstat(fileno(file_), &info) == 0 && here >= 0 && info.st_size > here) {
    left += static_cast<uint64_t>(info.st_size - here);
  }
  return left;
}
