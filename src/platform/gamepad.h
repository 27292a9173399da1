// Game controllers through SDL's game controller API: every controller SDL knows,
// plus the player's own mappings file. Controllers plugged in or pulled out during
// play are picked up or dropped at the next read; with several, the one connected
// first drives. The reading is a plain record, so the rest of the game never sees SDL.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _SDL_GameController;

// The buttons of a reading, one bit each.
enum PadButton : uint32_t {
  kPadA = 1u << 0,
  kPadB = 1u << 1,
  kPadX = 1u << 2,
  kPadY = 1u << 3,
  kPadBack = 1u << 4,
  kPadStart = 1u << 5,
  kPadLeftShoulder = 1u << 6,
  kPadRightShoulder = 1u << 7,
  kPadUp = 1u << 8,
  kPadDown = 1u << 9,
  kPadLeft = 1u << 10,
  kPadRight = 1u << 11,
};

// The driving controller in one frame (all zero when none is connected).
struct PadReading {
  bool connected = false;
  float leftX = 0.0f;   // sticks -1 .. 1, +x right, +y down
  float leftY = 0.0f;
  float rightX = 0.0f;
  float rightY = 0.0f;
  float rightTrigger = 0.0f;  // 0 .. 1
  uint32_t buttons = 0;       // PadButton bits held
};

// $XDG_CONFIG_HOME/vexmoor/gamecontrollerdb.txt (~/.config when XDG_CONFIG_HOME is unset).
std::string PadMappingsPath();

class GamePads {
 public:
  GamePads() = default;
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // Starts SDL's controller support and adds the mappings of `mappingsFile` when it
  // exists. False with a message when SDL cannot start it (the game plays on without).
  bool Open(const std::string& mappingsFile, std::string& error);
  void Close();
  // Picks up new controllers, drops pulled ones and reads the driving one.
  PadReading Read();
  // A short rumble of the driving controller, where it has a motor.
  void Rumble(uint16_t strength, uint32_t milliseconds);
  // Controllers held open, in the order they were connected.
  size_t count() const { return pads_.size(); }
  // How many mappings the mappings file added (0 without one; -1 when it was unreadable).
  int mappingsAdded() const { return mappingsAdded_; }

 private:
  struct Pad {
    _SDL_GameController* controller = nullptr;
    int32_t id = -1;  // SDL's joystick instance id
  };
  void DropPulled();
  void PickUpNew();

  bool open_ = false;
  int mappingsAdded_ = 0;
  std::vector<Pad> pads_;
};
