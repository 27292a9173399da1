#include "source_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace mapc {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted token starting at line[i] == '"'; leaves i after the closing quote.
bool ReadQuoted(std::string_view line, size_t& i, std::string& out, std::string& error) {
  ++i;
  while (i < line.size()) {
    char c = line[i++];
    if (c == '"') return true;
    if (c != '\\') {
      out.push_back(c);
      continue;
    }
    if (i >= line.size()) break;
    char e = line[i++];
    if (e == '"' || e == '\\') {
      out.push_back(e);
    } else if (e == 't') {
      out.push_back('\t');
    } else if (e == 'x' && i + 1 < line.size() && HexDigit(line[i]) >= 0 && HexDigit(line[i + 1]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(line[i]) * 16 + HexDigit(line[i + 1])));
      i += 2;
    } else {
      error = std::string("unknown escape \\") + e + " in a quoted text (use \\\" \\\\ \\t or \\xHH)";
      return false;
    }
  }
  error = "quoted text without its closing quote";
  return false;
}

}  // namespace

bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error) {
  tokens.clear();
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlankChar(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == kCommentMark) break;
    Token token;
    if (line[i] == '"') {
      token.quoted = true;
      if (!ReadQuoted(line, i, token.text, error)) return false;
      if (i < line.size() && !IsBlankChar(line[i]) && line[i] != kCommentMark) {
        error = "a quoted text must be followed by a blank";
        return false;
      }
    } else {
      while (i < line.size() && !IsBlankChar(line[i]) && line[i] != kCommentMark) token.text.push_back(line[i++]);
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

std::string_view StripComment(std::string_view line) {
  size_t cut = line.find(kCommentMark);
  if (cut != std::string_view::npos) line = line.substr(0, cut);
  while (!line.empty() && (IsBlankChar(line.front()) || line.front() == '\r')) line.remove_prefix(1);
  while (!line.empty() && (IsBlankChar(line.back()) || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool IsBlank(std::string_view line) {
  for (char c : line) {
    if (!IsBlankChar(c) && c != '\r') return false;
  }
  return true;
}

std::string Quote(std::string_view bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char c : bytes) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (u >= 32 && u < 127) {
      out.push_back(c);
    } else {
      out += "\\x";
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 15]);
    }
  }
  out.push_back('"');
  return out;
}

bool ParseInteger(std::string_view text, int64_t min, int64_t max, int64_t& out) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if (value < min || value > max) return false;
  out = value;
  return true;
}

bool ParseHexBits(std::string_view text, uint32_t& out) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return false;
  uint32_t value = 0;
  for (char c : text) {
    int d = HexDigit(c);
    if (d < 0) return false;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  out = value;
  return true;
}

bool FormatReal(uint32_t bits, std::string& out) {
  float value = std::bit_cast<float>(bits);
  if (!std::isfinite(value)) return false;
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return false;
  out.assign(buffer, end);
  uint32_t back = 0;
  return ParseReal(out, back) && back == bits;
}

bool ParseReal(std::string_view text, uint32_t& bits) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  float value = 0.0f;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return false;
  bits = std::bit_cast<uint32_t>(value);
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    begin = end + 1;
  }
  return lines;
}

}  // namespace mapc
