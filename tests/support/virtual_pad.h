// A virtual game controller for tests: SDL's virtual joystick with the standard
// controller layout, its axes and buttons set by the test, its rumbles counted.
#pragma once

#include <SDL.h>

class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "vexmoor test pad";
    desc.userdata = this;
    desc.Rumble = [](void* self, Uint16, Uint16) {
      ++static_cast<VirtualPad*>(self)->rumbles;
      return 0;
    };
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) {
      id_ = SDL_JoystickGetDeviceInstanceID(index);
      joystick_ = SDL_JoystickOpen(index);
    }
  }
  ~VirtualPad() { Unplug(); }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  bool ok() const { return joystick_ != nullptr; }
  // Sticks -1 .. 1; triggers 0 .. 1, which SDL reads from the axis's whole range.
  void Axis(SDL_GameControllerAxis axis, float value) {
    const bool trigger = axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
    const float raw = trigger ? value * 65535.0f - 32768.0f : value * 32767.0f;
    SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(raw));
  }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void Unplug() {
    if (joystick_ == nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
    }
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
  }

  int rumbles = 0;

 private:
  SDL_Joystick* joystick_ = nullptr;
  SDL_JoystickID id_ = -1;
};
