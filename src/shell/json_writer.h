// A small streaming JSON writer: objects, arrays, numbers, strings (8-bit text is
// written as Latin-1 code points, so any bytes give valid JSON).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
 public:
  std::string Take() { return std::move(out_); }

  JsonWriter& BeginObject(std::string_view key = {});
  JsonWriter& EndObject();
  JsonWriter& BeginArray(std::string_view key = {});
  JsonWriter& EndArray();
  JsonWriter& Field(std::string_view key, int64_t value);
  JsonWriter& Field(std::string_view key, double value);
  JsonWriter& Field(std::string_view key, std::string_view value);
  JsonWriter& Field(std::string_view key, bool value);

 private:
  void Key(std::string_view key);
  void String(std::string_view text);

  std::string out_;
  std::vector<bool> first_;  // per open container: no element written yet
};
