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
  if (fixed_) return 1000 + steps_ * 1000 / static_cast<uint64_t>(stepsPerSecond_);
  return 1000 + (SteadyMicros() - startMicros_) / 1000;
}

void Clock::Advance() {
  if (fixed_) ++steps_;
}

void SleepMs(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
