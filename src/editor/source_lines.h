// Rewriting single statement lines of a map source: a light's size, angle and
// switch, and the position of a placed light, door or enemy. Words the change
// does not concern keep their text and order; the comment and line end stay.
#pragma once

#include <string>

namespace editor {

// Light sizes the editor steps between (either side, in pixels).
constexpr int kMinLightSide = 16;
constexpr int kMaxLightSide = 4096;
// One turn key or step of the editor, in degrees.
constexpr int kTurnStep = 15;

// What the editor changes of a light.
struct LightLook {
  int width = 0;
  int height = 0;
  int angle = 0;
  int on = 1;  // 0 off, else the switch value
};

enum class SizeAxis { Both, Width, Height };

// The angle turned by `degrees`, in 0-359.
int TurnAngle(int angle, int degrees);

// Grows (steps > 0) or shrinks a light by 5/4 a step, both sides keeping their
// ratio or one side alone; false (look unchanged) when a side would leave
// kMinLightSide..kMaxLightSide or the light has no positive size.
bool ResizeLight(LightLook& look, int steps, SizeAxis axis);

// Rewrites a "light ..." line from `before` to `after`: replaces the size, angle
// and on/off words or appends them, drops "off" when the light is switched on,
// and moves an "at" corner so the light keeps its centre. False when the line is
// not a light statement.
bool RewriteLightLine(const std::string& line, const LightLook& before, const LightLook& after, std::string& out);

// Moves a light, door, soldier, turret or enemy line by whole cells (pixel
// positions by cells * tile). False when the line has no position it knows.
bool MovePlacementLine(const std::string& line, int columns, int rows, int tile, std::string& out);

}  // namespace editor
