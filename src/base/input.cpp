// Key names of the input script and the docs, with their PC set-1 scan codes.
#include "base/input.h"

#include <cstddef>

namespace {

struct KeyName {
  const char* name;
  int code;
};

// The main block: Escape, the digit row, the letters and the function keys first.
constexpr KeyName kKeyNames[] = {
    {"ESCAPE", 0x01}, {"1", 0x02},   {"2", 0x03},   {"3", 0x04},   {"4", 0x05},   {"5", 0x06},
    {"6", 0x07},      {"7", 0x08},   {"8", 0x09},   {"9", 0x0A},   {"0", 0x0B},   {"Q", 0x10},
    {"W", 0x11},      {"E", 0x12},   {"R", 0x13},   {"T", 0x14},   {"Y", 0x15},   {"U", 0x16},
    {"I", 0x17},      {"O", 0x18},   {"P", 0x19},   {"A", 0x1E},   {"S", 0x1F},   {"D", 0x20},
    {"F", 0x21},      {"G", 0x22},   {"H", 0x23},   {"J", 0x24},   {"K", 0x25},   {"L", 0x26},
    {"Z", 0x2C},      {"X", 0x2D},   {"C", 0x2E},   {"V", 0x2F},   {"B", 0x30},   {"N", 0x31},
    {"M", 0x32},      {"F1", 0x3B},  {"F2", 0x3C},  {"F3", 0x3D},  {"F4", 0x3E},  {"F5", 0x3F},
    {"F6", 0x40},     {"F7", 0x41},  {"F8", 0x42},  {"F9", 0x43},  {"F10", 0x44}, {"F11", 0x57},
    {"F12", 0x58},
    // The rest of the keyboard, so that any key can be bound to an action.
    {"MINUS", 0x0C},  {"EQUALS", 0x0D},     {"BACKSPACE", 0x0E},    {"TAB", 0x0F},
    {"LEFTBRACKET", 0x1A}, {"RIGHTBRACKET", 0x1B}, {"ENTER", 0x1C}, {"LCTRL", 0x1D},
    {"SEMICOLON", 0x27}, {"APOSTROPHE", 0x28}, {"GRAVE", 0x29},     {"LSHIFT", 0x2A},
    {"BACKSLASH", 0x2B}, {"COMMA", 0x33},   {"PERIOD", 0x34},       {"SLASH", 0x35},
    {"RSHIFT", 0x36}, {"KP_MULTIPLY", 0x37}, {"LALT", 0x38},        {"SPACE", 0x39},
    {"CAPSLOCK", 0x3A}, {"KP_7", 0x47},     {"KP_8", 0x48},         {"KP_9", 0x49},
    {"KP_MINUS", 0x4A}, {"KP_4", 0x4B},     {"KP_5", 0x4C},         {"KP_6", 0x4D},
    {"KP_PLUS", 0x4E}, {"KP_1", 0x4F},      {"KP_2", 0x50},         {"KP_3", 0x51},
    {"KP_0", 0x52},   {"KP_PERIOD", 0x53},  {"KP_ENTER", 0x9C},     {"RCTRL", 0x9D},
    {"KP_DIVIDE", 0xB5}, {"RALT", 0xB8},    {"PAUSE", 0xC5},        {"HOME", 0xC7},
    {"UP", 0xC8},     {"PAGEUP", 0xC9},     {"LEFT", 0xCB},         {"RIGHT", 0xCD},
    {"END", 0xCF},    {"DOWN", 0xD0},       {"PAGEDOWN", 0xD1},     {"INSERT", 0xD2},
    {"DELETE", 0xD3},
};

// Keys only the map editor reads: input scripts may name them, recordings of the
// game (which never reads them) leave them out.
constexpr KeyName kEditorKeyNames[] = {
    {"TAB", 0x0F},    {"[", 0x1A},   {"]", 0x1B},   {"CTRL", 0x1D}, {"SHIFT", 0x2A}, {"SPACE", 0x39},
    {"HOME", 0xC7},   {"UP", 0xC8},  {"LEFT", 0xCB}, {"RIGHT", 0xCD}, {"DOWN", 0xD0},
};

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view given, const char* known) {
  size_t i = 0;
  for (; i < given.size(); ++i) {
    if (known[i] == '\0' || UpperAscii(given[i]) != known[i]) return false;
  }
  return known[i] == '\0';
}

}  // namespace

int ScanCodeByName(std::string_view name) {
  for (const KeyName& key : kKeyNames) {
    if (SameName(name, key.name)) return key.code;
  }
  for (const KeyName& key : kEditorKeyNames) {
    if (SameName(name, key.name)) return key.code;
  }
  return -1;
}

const char* KeyNameOf(int code) {
  for (const KeyName& key : kKeyNames) {
    if (key.code == code) return key.name;
  }
  return nullptr;
}
