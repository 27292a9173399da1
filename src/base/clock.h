// Time. The game reads one clock in seconds, `now`, once per frame. The real clock
// counts milliseconds since the program started plus 1000, so `now` starts at 1.0 s
// and never wraps. `now` is a single-precision float, so its steps grow with the
// session: finer than 1 ms for about the first 4.5 hours (2^14 s), 2 ms from there,
// doubling each time the session's length doubles, so 16 ms after about 36 hours
// (2^17 s). The fixed-step clock advances by exactly 1/60 s per Advance() and serves
// headless runs and tests.
#pragma once

#include <chrono>
#include <cstdint>

class Clock {
 public:
  static Clock Real();
  static Clock Fixed(int stepsPerSecond = 60);

  // Milliseconds: 1000 at the start.
  uint64_t Millis() const;
  // Seconds as the game's single-precision real: Millis() / 1000.
  float Now() const { return static_cast<float>(static_cast<double>(Millis()) / 1000.0); }
  // Fixed clock: one more step. Real clock: nothing.
  void Advance();
  bool IsFixed() const { return fixed_; }
  // A paused clock stops: Millis() keeps the value it had at Pause() and, after
  // Resume(), goes on from there with the paused time taken out. The fixed clock
  // counts the steps made while paused as paused time.
  void Pause();
  void Resume();
  bool paused() const { return paused_; }
  // Back to the start (Millis() 1000 again, not paused), as a fresh clock of the same kind.
  void Restart();

 private:
  bool fixed_ = false;
  int stepsPerSecond_ = 60;
  uint64_t steps_ = 0;
  uint64_t startMicros_ = 0;
  bool paused_ = false;
  uint64_t pausedSteps_ = 0;   // fixed clock: steps made while paused
  uint64_t pausedMicros_ = 0;  // real clock: time spent paused before the current pause
  uint64_t pauseMicros_ = 0;   // real clock: when the current pause began
};

void SleepMs(int milliseconds);

// Holds play in a window or on the full screen to at most framesPerSecond frames a
// second, whatever the display's refresh: Wait() sleeps until one period after the
// previous deadline, so the deadlines do not drift with the time a frame took. A run
// more than a period behind starts a new chain from now instead of hurrying.
class FramePacer {
 public:
  explicit FramePacer(int framesPerSecond = 60);
  void Wait();

 private:
  std::chrono::steady_clock::duration period_;
  std::chrono::steady_clock::time_point deadline_{};
  bool started_ = false;
};
