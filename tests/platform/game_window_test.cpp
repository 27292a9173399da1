// The SDL game window under Xvfb: size and place, the close box, mouse button events,
// the cursor in the client area, the keyboard snapshot and the full-screen mouse.
#include "platform/window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "base/input.h"
#include "x_display_fixture.h"

namespace {

const char* const kTitle = "vexmoor window test";

// Every event the window hands out during `ms` milliseconds, one TakeEvent at a time.
std::vector<WindowEvent> Collect(GameWindow& window, int ms) {
  std::vector<WindowEvent> events;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    const WindowEvent e = window.TakeEvent();
    if (e == WindowEvent::kNone) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else {
      events.push_back(e);
    }
  }
  return events;
}

bool TakesEvent(GameWindow& window, WindowEvent wanted, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    const WindowEvent e = window.TakeEvent();
    if (e == wanted) return true;
    if (e == WindowEvent::kNone) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

int Position(const std::vector<WindowEvent>& events, WindowEvent e) {
  const auto it = std::find(events.begin(), events.end(), e);
  return it == events.end() ? -1 : static_cast<int>(it - events.begin());
}

// Reads the device (each read sums the motion since the last) until it shows the
// expected place or a second has passed; the motion may arrive over a few pumps.
MouseDeviceState ReadMouseUntil(GameWindow& window, int x, int y) {
  MouseDeviceState mouse;
  for (int i = 0; i < 100; ++i) {
    window.PumpEvents();
    mouse = window.ReadMouseDevice();
    if (mouse.x == x && mouse.y == y) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return mouse;
}

class GameWindowTest : public XDisplayTest {
 protected:
  void OpenWindowed() {
    ASSERT_TRUE(window_.Open(kTitle, false, true)) << window_.error();
    xid_ = x().WaitForWindow(kTitle, 10.0);
    ASSERT_NE(xid_, 0u) << "no viewable window titled " << kTitle;
    ASSERT_TRUE(x().Geometry(xid_, geometry_));
    Collect(window_, 200);  // the map, expose and focus events of the new window
  }

  void TearDown() override {
    window_.Close();
    XDisplayTest::TearDown();
  }

  KeyArray Keys() {
    Collect(window_, 150);
    KeyArray keys{};
    window_.ReadKeyboard(keys);
    return keys;
  }

  GameWindow window_;
  unsigned long xid_ = 0;
  WindowGeometry geometry_;
};

TEST_F(GameWindowTest, WindowedOpensA1024x768ClientCentredOnTheDesktop) {
  OpenWindowed();
  EXPECT_FALSE(window_.fullscreen());
  EXPECT_NE(window_.handle(), nullptr);
  EXPECT_EQ(geometry_.width, 1024);
  EXPECT_EQ(geometry_.height, 768);
  EXPECT_NEAR(geometry_.x, (XvfbServer::kWidth - 1024) / 2, 2);
  EXPECT_NEAR(geometry_.y, (XvfbServer::kHeight - 768) / 2, 2);
  window_.Close();
  EXPECT_EQ(window_.handle(), nullptr);
  EXPECT_TRUE(x().WaitForWindowGone(kTitle, 5.0));
}

TEST_F(GameWindowTest, CloseBoxIsTakenAsACloseEvent) {
  OpenWindowed();
  EXPECT_EQ(Position(Collect(window_, 100), WindowEvent::kClose), -1);
  ASSERT_TRUE(x().SendClose(xid_));
  EXPECT_TRUE(TakesEvent(window_, WindowEvent::kClose, 5000));
}

TEST_F(GameWindowTest, LeftAndRightButtonsArriveAsDownThenUp) {
  OpenWindowed();
  ASSERT_TRUE(ClickAt(display(), geometry_.x + 100, geometry_.y + 50, 1));
  const std::vector<WindowEvent> left = Collect(window_, 300);
  ASSERT_NE(Position(left, WindowEvent::kLeftDown), -1);
  EXPECT_GT(Position(left, WindowEvent::kLeftUp), Position(left, WindowEvent::kLeftDown));
  EXPECT_EQ(Position(left, WindowEvent::kRightDown), -1);

  ASSERT_TRUE(ClickAt(display(), geometry_.x + 100, geometry_.y + 50, 3));
  const std::vector<WindowEvent> right = Collect(window_, 300);
  ASSERT_NE(Position(right, WindowEvent::kRightDown), -1);
  EXPECT_GT(Position(right, WindowEvent::kRightUp), Position(right, WindowEvent::kRightDown));
  EXPECT_EQ(Position(right, WindowEvent::kLeftDown), -1);
}

TEST_F(GameWindowTest, PointerMotionDoesNotQueueEvents) {
  OpenWindowed();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(MovePointer(display(), geometry_.x + 10 + i * 7, geometry_.y + 40 + i * 3));
  EXPECT_LT(Collect(window_, 200).size(), 5u) << "motion must not reach the one-event-per-frame queue";
}

TEST_F(GameWindowTest, CursorInClientIsRelativeToTheClientAreaOrMinusOne) {
  OpenWindowed();
  ASSERT_TRUE(MovePointer(display(), geometry_.x + 300, geometry_.y + 200));
  Collect(window_, 50);
  int cx = 0, cy = 0;
  window_.CursorInClient(cx, cy);
  EXPECT_EQ(cx, 300);
  EXPECT_EQ(cy, 200);

  ASSERT_TRUE(MovePointer(display(), geometry_.x + 1023, geometry_.y + 767));
  Collect(window_, 50);
  window_.CursorInClient(cx, cy);
  EXPECT_EQ(cx, 1023);
  EXPECT_EQ(cy, 767);

  ASSERT_TRUE(MovePointer(display(), geometry_.x - 5, geometry_.y + 100));
  Collect(window_, 50);
  window_.CursorInClient(cx, cy);
  EXPECT_EQ(cx, -1);
  EXPECT_EQ(cy, -1);
  ASSERT_TRUE(MovePointer(display(), geometry_.x + 100, geometry_.y + 768));
  Collect(window_, 50);
  window_.CursorInClient(cx, cy);
  EXPECT_EQ(cx, -1);
  EXPECT_EQ(cy, -1);
}

TEST_F(GameWindowTest, KeysHeldOnTheX11KeyboardShowUnderTheirSet1Codes) {
  OpenWindowed();
  ASSERT_TRUE(MovePointer(display(), geometry_.x + 500, geometry_.y + 300));  // focus follows the pointer
  ASSERT_TRUE(KeyAction(display(), "keydown", "w"));
  ASSERT_TRUE(KeyAction(display(), "keydown", "F11"));
  KeyArray keys = Keys();
  EXPECT_EQ(keys[scan::kW], 1);
  EXPECT_EQ(keys[scan::kF11], 1);
  EXPECT_EQ(keys[scan::kA], 0);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), 1), 2);

  ASSERT_TRUE(KeyAction(display(), "keyup", "w"));
  ASSERT_TRUE(KeyAction(display(), "keydown", "Escape"));
  keys = Keys();
  EXPECT_EQ(keys[scan::kW], 0);
  EXPECT_EQ(keys[scan::kEscape], 1);
  EXPECT_EQ(keys[scan::kF11], 1);
  ASSERT_TRUE(KeyAction(display(), "keyup", "Escape"));
  ASSERT_TRUE(KeyAction(display(), "keyup", "F11"));
  keys = Keys();
  EXPECT_EQ(std::count(keys.begin(), keys.end(), 1), 0);
}

TEST_F(GameWindowTest, FullScreenCoversTheDesktopAndSumsMouseMotionIntoAClampedCursor) {
  ASSERT_TRUE(window_.Open(kTitle, true, true)) << window_.error();
  EXPECT_TRUE(window_.fullscreen());
  xid_ = x().WaitForWindow(kTitle, 10.0);
  ASSERT_NE(xid_, 0u);
  // Xvfb offers no 1024x768 mode, so the window takes the desktop and letterboxes.
  // (A bare X server has no window manager to resize it; SDL's view is what counts.)
  const Uint32 flags = SDL_GetWindowFlags(window_.handle());
  EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));
  int width = 0, height = 0;
  SDL_GetWindowSize(window_.handle(), &width, &height);
  EXPECT_EQ(width, XvfbServer::kWidth);
  EXPECT_EQ(height, XvfbServer::kHeight);
  EXPECT_EQ(SDL_GetRelativeMouseMode(), SDL_TRUE);
  window_.PumpEvents();
  MouseDeviceState mouse = window_.ReadMouseDevice();
  EXPECT_EQ(mouse.x, 0);
  EXPECT_EQ(mouse.y, 0);

  SpawnOptions options;
  options.env = {xvfb_->displayEnv()};
  ASSERT_TRUE(RunProcess({"xdotool", "mousemove_relative", "--", "40", "25"}, options, 10.0).Succeeded());
  mouse = ReadMouseUntil(window_, 40, 25);
  EXPECT_EQ(mouse.x, 40);
  EXPECT_EQ(mouse.y, 25);

  ASSERT_TRUE(RunProcess({"xdotool", "mousemove_relative", "--", "-500", "-500"}, options, 10.0).Succeeded());
  mouse = ReadMouseUntil(window_, 0, 0);
  EXPECT_EQ(mouse.x, 0);
  EXPECT_EQ(mouse.y, 0);
  ASSERT_TRUE(RunProcess({"xdotool", "mousemove_relative", "--", "3000", "2000"}, options, 10.0).Succeeded());
  mouse = ReadMouseUntil(window_, 1023, 767);
  EXPECT_EQ(mouse.x, 1023);
  EXPECT_EQ(mouse.y, 767);
  EXPECT_FALSE(mouse.left);
}

TEST(Set1ScanCode, MainBlockFollowsThePcSet1Layout) {
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_ESCAPE), scan::kEscape);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_W), scan::kW);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_E), scan::kE);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_R), scan::kR);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_A), scan::kA);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_S), scan::kS);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_D), scan::kD);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_V), scan::kV);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_F9), scan::kF9);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_F10), scan::kF10);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_F11), scan::kF11);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_F12), 0x58);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_1), scan::k1);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_2), scan::k2);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_0), 0x0B);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_SPACE), 0x39);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_LSHIFT), 0x2A);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_LCTRL), 0x1D);
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_SLASH), 0x35);
  // Letter rows run in keyboard order: Q..P, A..L, Z..M.
  const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const int firstCodes[] = {0x10, 0x1E, 0x2C};
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; rows[r][i] != '\0'; ++i) {
      const char name[2] = {rows[r][i], '\0'};
      EXPECT_EQ(Set1ScanCode(SDL_GetScancodeFromName(name)), firstCodes[r] + i) << name;
    }
  }
  EXPECT_EQ(Set1ScanCode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(Set1ScanCode(-1), 0);
  EXPECT_EQ(Set1ScanCode(100000), 0);
}

TEST(Set1ScanCode, EveryCodeIsUsedOnceAndAgreesWithTheKeyNames) {
  std::vector<int> seen(256, 0);
  for (int sdl = 0; sdl < SDL_NUM_SCANCODES; ++sdl) {
    const int code = Set1ScanCode(sdl);
    ASSERT_GE(code, 0);
    ASSERT_LT(code, 256);
    if (code != 0) ++seen[static_cast<size_t>(code)];
  }
  for (int code = 1; code < 256; ++code) EXPECT_LE(seen[static_cast<size_t>(code)], 1) << "code " << code;
  // The names the input script uses reach the same codes as the live keyboard.
  for (const char* name : {"W", "A", "S", "D", "E", "R", "V", "1", "2", "Escape", "F9", "F10", "F11"}) {
    EXPECT_EQ(ScanCodeByName(name), Set1ScanCode(SDL_GetScancodeFromName(name))) << name;
  }
}

}  // namespace
