// Yields to window events from long loops, paced by time so that a loop spends its time on its own work.
#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/event_pump.h"

namespace veltrane {

class Yielder {
 public:
  // intervalMs 0 yields at every call, the pace of the original one-yield-per-item loops.
  Yielder(IEventPump& events, IClock& clock, uint32_t intervalMs = kDefaultIntervalMs)
      : events_(events), clock_(clock), intervalMs_(intervalMs) {}

  static constexpr uint32_t kDefaultIntervalMs = 15;

  // A point in a loop where window events may be handled: yields when the interval has passed.
  void MaybeYield() {
    if (intervalMs_ == 0) {
      events_.DoEvents();
      return;
    }
    uint64_t now = clock_.MonotonicMs();
    if (now - last_ >= intervalMs_) {
      last_ = now;
      events_.DoEvents();
    }
  }

  // Handles window events now, whatever the pace.
  void Yield() {
    last_ = clock_.MonotonicMs();
    events_.DoEvents();
  }

  void SetInterval(uint32_t intervalMs) { intervalMs_ = intervalMs; }
  uint32_t Interval() const { return intervalMs_; }

 private:
  IEventPump& events_;
  IClock& clock_;
  uint32_t intervalMs_;
  uint64_t last_ = 0;
};

}  // namespace veltrane
