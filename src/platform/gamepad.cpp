#include "platform/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr std::pair<SDL_GameControllerButton, PadButton> kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, kPadA},
    {SDL_CONTROLLER_BUTTON_B, kPadB},
    {SDL_CONTROLLER_BUTTON_X, kPadX},
    {SDL_CONTROLLER_BUTTON_Y, kPadY},
    {SDL_CONTROLLER_BUTTON_BACK, kPadBack},
    {SDL_CONTROLLER_BUTTON_START, kPadStart},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kPadLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kPadRightShoulder},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kPadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kPadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kPadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kPadRight},
};

float Axis(SDL_GameController* controller, SDL_GameControllerAxis axis) {
  return std::clamp(static_cast<float>(SDL_GameControllerGetAxis(controller, axis)) / 32767.0f, -1.0f, 1.0f);
}

}  // namespace

std::string PadMappingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/vexmoor/gamecontrollerdb.txt";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::string(home) + "/.config/vexmoor/gamecontrollerdb.txt";
}

GamePads::~GamePads() { Close(); }

bool GamePads::Open(const std::string& mappingsFile, std::string& error) {
  Close();
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    error = std::string("cannot start game controller support: ") + SDL_GetError();
    return false;
  }
  open_ = true;
  // The game reads the controllers once a frame and takes no events from them: the
  // window takes one event per frame, and controller events would crowd it out.
  SDL_GameControllerEventState(SDL_IGNORE);
  SDL_JoystickEventState(SDL_IGNORE);
  std::error_code ignored;
  if (!mappingsFile.empty() && std::filesystem::is_regular_file(mappingsFile, ignored)) {
    mappingsAdded_ = SDL_GameControllerAddMappingsFromFile(mappingsFile.c_str());
    if (mappingsAdded_ < 0) error = "cannot read the controller mappings \"" + mappingsFile + "\": " + SDL_GetError();
  }
  return true;
}

void GamePads::Close() {
  for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
  pads_.clear();
  if (open_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  open_ = false;
  mappingsAdded_ = 0;
}

void GamePads::DropPulled() {
  std::erase_if(pads_, [](const Pad& pad) {
    if (SDL_GameControllerGetAttached(pad.controller)) return false;
    SDL_GameControllerClose(pad.controller);
    return true;
  });
}

void GamePads::PickUpNew() {
  const int devices = SDL_NumJoysticks();
  for (int i = 0; i < devices; ++i) {
    if (!SDL_IsGameController(i)) continue;
    const int32_t id = SDL_JoystickGetDeviceInstanceID(i);
    const bool known = std::any_of(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; });
    if (known) continue;
    SDL_GameController* controller = SDL_GameControllerOpen(i);
    if (controller != nullptr) pads_.push_back({controller, id});
  }
}

PadReading GamePads::Read() {
  PadReading reading;
  if (!open_) return reading;
  SDL_GameControllerUpdate();  // also finds the devices plugged in or pulled out since the last frame
  DropPulled();
  PickUpNew();
  if (pads_.empty()) return reading;
  SDL_GameController* controller = pads_.front().controller;
  reading.connected = true;
  reading.leftX = Axis(controller, SDL_CONTROLLER_AXIS_LEFTX);
  reading.leftY = Axis(controller, SDL_CONTROLLER_AXIS_LEFTY);
  reading.rightX = Axis(controller, SDL_CONTROLLER_AXIS_RIGHTX);
  reading.rightY = Axis(controller, SDL_CONTROLLER_AXIS_RIGHTY);
  reading.rightTrigger = std::max(0.0f, Axis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
  for (const auto& [button, bit] : kButtons) {
    if (SDL_GameControllerGetButton(controller, button) != 0) reading.buttons |= bit;
  }
  return reading;
}

void GamePads::Rumble(uint16_t strength, uint32_t milliseconds) {
  if (pads_.empty()) return;
  SDL_GameControllerRumble(pads_.front().controller, strength, strength, milliseconds);  // -1 without a motor
}
