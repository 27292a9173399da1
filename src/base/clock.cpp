// The real millisecond clock and the fixed-step clock.
#include "base/clock.h"

#include <chrono>
#include <thread>

namespace {

uint64_t SteadyMicros() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

}  // namespace

Clock Clock::Real() {
  Clock clock;
  clock.startMicros_ = SteadyMicros();
  return clock;
}

Clock Clock::Fixed(int stepsPerSecond) {
  Clock clock;
  clock.fixed_ = true;
  clock.stepsPerSecond_ = stepsPerSecond > 0 ? stepsPerSecond : 60;
  return clock;
}

uint64_t Clock::Millis() const {
  if (fixed_) return 1000 + (steps_ - pausedSteps_) * 1000 / static_cast<uint64_t>(stepsPerSecond_);
  const uint64_t now = paused_ ? pauseMicros_ : SteadyMicros();
  return 1000 + (now - startMicros_ - pausedMicros_) / 1000;
}

void Clock::Advance() {
  if (!fixed_) return;
  ++steps_;
  if (paused_) ++pausedSteps_;
}

void Clock::Pause() {
  if (paused_) return;
  paused_ = true;
  pauseMicros_ = SteadyMicros();
}

void Clock::Resume() {
  if (!paused_) return;
  paused_ = false;
  pausedMicros_ += SteadyMicros() - pauseMicros_;
}

void Clock::Restart() {
  *this = fixed_ ? Fixed(stepsPerSecond_) : Real();
}

void SleepMs(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

FramePacer::FramePacer(int framesPerSecond)
    : period_(std::chrono::ceil<std::chrono::steady_clock::duration>(  // never a shade short
          std::chrono::duration<double>(1.0 / (framesPerSecond > 0 ? framesPerSecond : 60)))) {}

void FramePacer::Wait() {
  const auto now = std::chrono::steady_clock::now();
  if (!started_) {
    started_ = true;
    deadline_ = now;
    return;
  }
  deadline_ += period_;
  if (now > deadline_ + period_) {
    deadline_ = now;  // far behind (a stall, a slow machine): no burst of frames to catch up
    return;
  }
  if (now < deadline_) std::this_thread::sleep_until(deadline_);
}
