#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <utility>

#include "render/frame_fit.h"
#include "render/renderer.h"

namespace {

// SDL scancode -> PC set-1 code for the main block, the keypad and the extended keys
// (DirectInput numbering: the extended keys carry bit 7).
constexpr std::pair<SDL_Scancode, int> kSet1Codes[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},       {SDL_SCANCODE_1, 0x02},
    {SDL_SCANCODE_2, 0x03},            {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05},            {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},            {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09},            {SDL_SCANCODE_9, 0x0A},
    {SDL_SCANCODE_0, 0x0B},            {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D},       {SDL_SCANCODE_BACKSPACE, 0x0E},
    {SDL_SCANCODE_TAB, 0x0F},          {SDL_SCANCODE_Q, 0x10},
    {SDL_SCANCODE_W, 0x11},            {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},            {SDL_SCANCODE_T, 0x14},
    {SDL_SCANCODE_Y, 0x15},            {SDL_SCANCODE_U, 0x16},
    {SDL_SCANCODE_I, 0x17},            {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19},            {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {SDL_SCANCODE_RETURN, 0x1C},
    {SDL_SCANCODE_LCTRL, 0x1D},        {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},            {SDL_SCANCODE_D, 0x20},
    {SDL_SCANCODE_F, 0x21},            {SDL_SCANCODE_G, 0x22},
    {SDL_SCANCODE_H, 0x23},            {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},            {SDL_SCANCODE_L, 0x26},
    {SDL_SCANCODE_SEMICOLON, 0x27},    {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29},        {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},    {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D},            {SDL_SCANCODE_C, 0x2E},
    {SDL_SCANCODE_V, 0x2F},            {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31},            {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},        {SDL_SCANCODE_PERIOD, 0x34},
    {SDL_SCANCODE_SLASH, 0x35},        {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37},  {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39},        {SDL_SCANCODE_CAPSLOCK, 0x3A},
    {SDL_SCANCODE_F1, 0x3B},           {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D},           {SDL_SCANCODE_F4, 0x3E},
    {SDL_SCANCODE_F5, 0x3F},           {SDL_SCANCODE_F6, 0x40},
    {SDL_SCANCODE_F7, 0x41},           {SDL_SCANCODE_F8, 0x42},
    {SDL_SCANCODE_F9, 0x43},           {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46},
    {SDL_SCANCODE_KP_7, 0x47},         {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49},         {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B},         {SDL_SCANCODE_KP_5, 0x4C},
    {SDL_SCANCODE_KP_6, 0x4D},         {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F},         {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51},         {SDL_SCANCODE_KP_0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x53},    {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    {SDL_SCANCODE_F11, 0x57},          {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_KP_ENTER, 0x9C},     {SDL_SCANCODE_RCTRL, 0x9D},
    {SDL_SCANCODE_KP_DIVIDE, 0xB5},    {SDL_SCANCODE_PRINTSCREEN, 0xB7},
    {SDL_SCANCODE_RALT, 0xB8},         {SDL_SCANCODE_PAUSE, 0xC5},
    {SDL_SCANCODE_HOME, 0xC7},         {SDL_SCANCODE_UP, 0xC8},
    {SDL_SCANCODE_PAGEUP, 0xC9},       {SDL_SCANCODE_LEFT, 0xCB},
    {SDL_SCANCODE_RIGHT, 0xCD},        {SDL_SCANCODE_END, 0xCF},
    {SDL_SCANCODE_DOWN, 0xD0},         {SDL_SCANCODE_PAGEDOWN, 0xD1},
    {SDL_SCANCODE_INSERT, 0xD2},       {SDL_SCANCODE_DELETE, 0xD3},
    {SDL_SCANCODE_LGUI, 0xDB},         {SDL_SCANCODE_RGUI, 0xDC},
    {SDL_SCANCODE_APPLICATION, 0xDD},
};

// Every SDL event kind the game never looks at, as inclusive ranges. Only the quit
// request, window events and mouse button presses and releases stay enabled, so one
// event per frame keeps up with the queue; key and motion state still update on
// every pump.
constexpr std::pair<Uint32, Uint32> kIgnoredEvents[] = {
    {SDL_APP_TERMINATING, SDL_LOCALECHANGED},
    {SDL_DISPLAYEVENT, SDL_DISPLAYEVENT},
    {SDL_SYSWMEVENT, SDL_SYSWMEVENT},
    {SDL_KEYDOWN, SDL_TEXTEDITING_EXT},
    {SDL_MOUSEMOTION, SDL_MOUSEMOTION},
    {SDL_MOUSEWHEEL, SDL_MOUSEWHEEL},
    {SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED},
    {SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERSENSORUPDATE},
    {SDL_FINGERDOWN, SDL_FINGERMOTION},
    {SDL_DOLLARGESTURE, SDL_MULTIGESTURE},
    {SDL_CLIPBOARDUPDATE, SDL_CLIPBOARDUPDATE},
    {SDL_DROPFILE, SDL_DROPCOMPLETE},
    {SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED},
    {SDL_SENSORUPDATE, SDL_SENSORUPDATE},
    {SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET},
};

void IgnoreUnusedEvents() {
  for (const auto& [first, last] : kIgnoredEvents) {
    for (Uint32 type = first; type <= last; ++type) SDL_EventState(type, SDL_IGNORE);
  }
}

// The display's own 1024x768 mode with 32-bit pixels, if it has one.
bool FindExactMode(int display, SDL_DisplayMode& out) {
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
    if (mode.w == kScreenWidth && mode.h == kScreenHeight && SDL_BYTESPERPIXEL(mode.format) == 4) {
      out = mode;
      return true;
    }
  }
  return false;
}

WindowEvent Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      return WindowEvent::kClose;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return WindowEvent::kClose;
      return event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ? WindowEvent::kFocusLost : WindowEvent::kOther;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (event.button.button == SDL_BUTTON_LEFT) return down ? WindowEvent::kLeftDown : WindowEvent::kLeftUp;
      if (event.button.button == SDL_BUTTON_RIGHT) return down ? WindowEvent::kRightDown : WindowEvent::kRightUp;
      return WindowEvent::kOther;
    }
    default:
      return WindowEvent::kOther;
  }
}

// The exact 1024x768 mode when the display offers it, else the desktop's own mode
// (the renderers letterbox their 1024x768 logical screen).
bool EnterFullscreen(SDL_Window* window) {
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
  SDL_DisplayMode mode{};
  const bool exact = FindExactMode(display, mode) && SDL_SetWindowDisplayMode(window, &mode) == 0 &&
                     SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
  if (!exact && SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
  SDL_ShowWindow(window);
  return true;
}

// The windowed size: the asked-for multiple of 1024x768, or the largest one that
// fits the usable area of the desktop the window opens on.
int WindowedScale(int asked) {
  if (asked > 0) return std::min(asked, kMaxWindowScale);
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return FittingScale(usable.w, usable.h);
}

// The window's drawable in pixels: its renderer's output where it has one, else the
// OpenGL drawable, else the window size.
void DrawableSize(SDL_Window* window, int& width, int& height) {
  SDL_GetWindowSize(window, &width, &height);
  SDL_Renderer* renderer = SDL_GetRenderer(window);
  if (renderer != nullptr) {
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer, &w, &h) == 0) {
      width = w;
      height = h;
    }
  } else if ((SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) != 0) {
    SDL_GL_GetDrawableSize(window, &width, &height);
  }
}

}  // namespace

void PresentWithoutVsync() { SDL_SetHintWithPriority(SDL_HINT_RENDER_VSYNC, "0", SDL_HINT_OVERRIDE); }

int Set1ScanCode(int sdlScancode) {
  for (const auto& [sdl, code] : kSet1Codes) {
    if (sdl == sdlScancode) return code;
  }
  return 0;
}

GameWindow::~GameWindow() { Close(); }

bool GameWindow::Open(const std::string& title, bool fullscreen, bool opengl, const WindowScaling& scaling) {
  Close();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error_ = std::string("cannot start SDL video: ") + SDL_GetError();
    return false;
  }
  // Without a display SDL falls back to its offscreen driver: the game would run
  // unseen and could never be ended. Only a driver asked for by name is accepted.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if (driver != nullptr && (asked == nullptr || *asked == '\0') &&
      (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
    error_ = "no display (is DISPLAY set? --headless plays without one)";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  IgnoreUnusedEvents();
  const Uint32 api = opengl ? SDL_WINDOW_OPENGL : 0;
  if (fullscreen) {
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth,
                               kScreenHeight, api | SDL_WINDOW_HIDDEN);
    if (window_ != nullptr && !EnterFullscreen(window_)) {
      error_ = std::string("cannot switch to full screen: ") + SDL_GetError();
      Close();
      return false;
    }
  } else {
    const int scale = WindowedScale(scaling.scale);
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth * scale,
                               kScreenHeight * scale,
                               api | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  }
  if (window_ == nullptr) {
    error_ = std::string("cannot open the game window: ") + SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  fullscreen_ = fullscreen;
  integerScale_ = !fullscreen && scaling.integerScale;
  device_ = MouseDeviceState{};
  if (fullscreen_) {
    SDL_SetRelativeMouseMode(SDL_TRUE);  // hides the cursor and keeps it in the window
    SDL_GetRelativeMouseState(nullptr, nullptr);  // forget motion from before
  }
  return true;
}

void GameWindow::Close() {
  if (window_ == nullptr) return;
  if (fullscreen_) SDL_SetRelativeMouseMode(SDL_FALSE);
  if (confined_) SDL_SetWindowMouseRect(window_, nullptr);
  confined_ = false;
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  fullscreen_ = false;
  integerScale_ = false;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

WindowEvent GameWindow::TakeEvent() {
  SDL_Event event;
  // SDL_PollEvent pumps the window system before it takes the first queued event.
  if (SDL_PollEvent(&event) == 0) return WindowEvent::kNone;
  if (event.type == SDL_MOUSEWHEEL) {
    wheel_ += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
    return WindowEvent::kOther;
  }
  return Translate(event);
}

void GameWindow::EnableWheel(bool on) {
  SDL_EventState(SDL_MOUSEWHEEL, on ? SDL_ENABLE : SDL_IGNORE);
  if (!on) SDL_FlushEvent(SDL_MOUSEWHEEL);
  wheel_ = 0;
}

int GameWindow::TakeWheel() {
  const int notches = wheel_;
  wheel_ = 0;
  return notches;
}

void GameWindow::PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
  }
}

void GameWindow::ReadKeyboard(KeyArray& out) const {
  out.fill(0);
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (state == nullptr) return;
  for (const auto& [sdl, code] : kSet1Codes) {
    if (sdl < count && state[sdl] != 0) out[static_cast<size_t>(code)] = 1;
  }
}

// SDL keeps the pointer's place in the window from the motion it pumps (motion
// events themselves are off) and knows whether the pointer is over the window. The
// place is in window coordinates; the window's current size and drawable turn it
// into the frame point drawn there.
bool GameWindow::MiddleButtonDown() const {
  return window_ != nullptr && (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_MMASK) != 0;
}

void GameWindow::CursorInClient(int& x, int& y) const {
  x = -1;
  y = -1;
  if (window_ == nullptr || SDL_GetMouseFocus() != window_) return;
  int cx = 0, cy = 0;
  SDL_GetMouseState(&cx, &cy);
  WindowMetrics metrics;
  metrics.integerScale = integerScale_;
  SDL_GetWindowSize(window_, &metrics.width, &metrics.height);
  DrawableSize(window_, metrics.drawableWidth, metrics.drawableHeight);
  const FramePoint point = CursorToFrame(metrics, cx, cy);
  x = point.x;
  y = point.y;
}

MouseDeviceState GameWindow::ReadMouseDevice() {
  int dx = 0, dy = 0;
  const Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
  device_.x = std::clamp(device_.x + dx, 0, kScreenWidth - 1);
  device_.y = std::clamp(device_.y + dy, 0, kScreenHeight - 1);
  device_.left = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
  device_.right = (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
  return device_;
}

void GameWindow::ConfineCursor(bool on) {
  if (window_ == nullptr || fullscreen_) return;
  SDL_Rect rect{0, 0, 0, 0};
  bool want = on && SDL_GetKeyboardFocus() == window_;
  if (want) {
    WindowMetrics metrics;
    metrics.integerScale = integerScale_;
    SDL_GetWindowSize(window_, &metrics.width, &metrics.height);
    DrawableSize(window_, metrics.drawableWidth, metrics.drawableHeight);
    const WindowRect frame = FrameRectInWindow(metrics);
    rect = {frame.x, frame.y, frame.width, frame.height};
    want = frame.width > 0;
  }
  const int now[4] = {rect.x, rect.y, rect.w, rect.h};
  if (want == confined_ && (!want || std::equal(now, now + 4, confinedRect_))) return;
  SDL_SetWindowMouseRect(window_, want ? &rect : nullptr);
  confined_ = want;
  std::copy(now, now + 4, confinedRect_);
}

void GameWindow::Activate() {
  if (window_ != nullptr) SDL_RaiseWindow(window_);
}

void GameWindow::PlaceCursor(int x, int y) {
  if (window_ == nullptr) return;
  if (fullscreen_) {
    device_.x = std::clamp(x, 0, kScreenWidth - 1);
    device_.y = std::clamp(y, 0, kScreenHeight - 1);
    return;
  }
  // The centre of the frame pixel in drawable pixels, then in window coordinates.
  int width = 0, height = 0, drawableWidth = 0, drawableHeight = 0;
  SDL_GetWindowSize(window_, &width, &height);
  DrawableSize(window_, drawableWidth, drawableHeight);
  if (width <= 0 || height <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return;
  const FrameFit fit = FitFrame(drawableWidth, drawableHeight, integerScale_);
  const float px = static_cast<float>(fit.x) + (static_cast<float>(x) + 0.5f) * fit.scale;
  const float py = static_cast<float>(fit.y) + (static_cast<float>(y) + 0.5f) * fit.scale;
  SDL_WarpMouseInWindow(window_, static_cast<int>(px * static_cast<float>(width) / static_cast<float>(drawableWidth)),
                        static_cast<int>(py * static_cast<float>(height) / static_cast<float>(drawableHeight)));
}
