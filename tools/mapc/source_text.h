// Lexical pieces of the map source format, shared by the parser and the dumper:
// lines, comments, tokens, quoted strings and numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mapc {

// The comment mark: from ";" (outside a quoted string) to the end of the line.
inline constexpr char kCommentMark = ';';

struct Token {
  std::string text;     // quotes removed and escapes resolved when quoted
  bool quoted = false;
};

// Splits one line into tokens at blanks and tabs. A token starting with '"' runs to
// the closing quote; inside it \" \\ \t and \xHH (two hex digits) are escapes. A
// comment ends the line. On a broken quote or escape returns false with a message.
bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error);

// The line without its comment and without blanks at either end. Used for grid rows,
// which hold cell codes only.
std::string_view StripComment(std::string_view line);

// True when the line holds nothing but blanks.
bool IsBlank(std::string_view line);

// Text as a quoted token that Tokenize reads back to the same bytes.
std::string Quote(std::string_view bytes);

// A decimal integer with an optional sign, within [min, max].
bool ParseInteger(std::string_view text, int64_t min, int64_t max, int64_t& out);

// 32 bits written in hexadecimal, with or without "0x".
bool ParseHexBits(std::string_view text, uint32_t& out);

// A real number as the shortest decimal text that reads back to the same bits,
// or false when there is none (NaN payloads, infinities).
bool FormatReal(uint32_t bits, std::string& out);
// Reads a decimal real ("1", "-2.5", "1e3") into its single-precision bits.
bool ParseReal(std::string_view text, uint32_t& bits);

// ASCII blank or tab.
inline bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

// Splits text into lines at LF; a CR before the LF is dropped.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace mapc
