// A strict JSON syntax check for tests of --state, and a lookup of numbers by key
// path in the checked text ("player.x" finds the first "x" after "player").
#pragma once

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

class JsonCheck {
 public:
  // True when `text` is exactly one JSON value (surrounding whitespace allowed).
  static bool Valid(std::string_view text) {
    JsonCheck check(text);
    check.Space();
    if (!check.Value(0)) return false;
    check.Space();
    return check.pos_ == text.size();
  }

 private:
  explicit JsonCheck(std::string_view text) : text_(text) {}
  bool More() const { return pos_ < text_.size(); }
  char Peek() const { return More() ? text_[pos_] : '\0'; }
  void Space() {
    while (More() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t')) ++pos_;
  }
  bool Literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  bool String() {
    if (Peek() != '"') return false;
    ++pos_;
    while (More()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80) return false;
      if (c == '\\') {
        const char e = Peek();
        ++pos_;
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++pos_) {
            if (!std::isxdigit(static_cast<unsigned char>(Peek()))) return false;
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
      }
    }
    return false;
  }
  bool Number() {
    const size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (!std::isdigit(static_cast<unsigned char>(Peek()))) return false;
    if (Peek() == '0') {
      ++pos_;
    } else {
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
    }
    if (Peek() == '.') {
      ++pos_;
      if (!std::isdigit(static_cast<unsigned char>(Peek()))) return false;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!std::isdigit(static_cast<unsigned char>(Peek()))) return false;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
    }
    return pos_ > start;
  }
  bool Container(int depth, char close, bool object) {
    ++pos_;
    Space();
    if (Peek() == close) return ++pos_, true;
    while (true) {
      Space();
      if (object) {
        if (!String()) return false;
        Space();
        if (Peek() != ':') return false;
        ++pos_;
        Space();
      }
      if (!Value(depth + 1)) return false;
      Space();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      if (Peek() == close) return ++pos_, true;
      return false;
    }
  }
  bool Value(int depth) {
    if (depth > 64) return false;
    switch (Peek()) {
      case '{': return Container(depth, '}', true);
      case '[': return Container(depth, ']', false);
      case '"': return String();
      case 't': return Literal("true");
      case 'f': return Literal("false");
      case 'n': return Literal("null");
      default: return Number();
    }
  }
  std::string_view text_;
  size_t pos_ = 0;
};

// The number after the key path's last key, searching each key after the previous
// one ("player.x"); NaN when not found.
inline double JsonNumber(const std::string& json, const std::string& path) {
  size_t pos = 0;
  size_t start = 0;
  while (start <= path.size()) {
    size_t dot = path.find('.', start);
    if (dot == std::string::npos) dot = path.size();
    const std::string key = "\"" + path.substr(start, dot - start) + "\":";
    pos = json.find(key, pos);
    if (pos == std::string::npos) return std::nan("");
    pos += key.size();
    start = dot + 1;
  }
  return std::strtod(json.c_str() + pos, nullptr);
}
