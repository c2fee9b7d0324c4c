// Yielding to pending window events from inside a long loop on the user-interface thread.
#pragma once

namespace veltrane {

class IEventPump {
 public:
  virtual ~IEventPump() = default;
  // Handles the window events waiting now (clicks, timer ticks, paints), then returns.
  virtual void DoEvents() = 0;
};

}  // namespace veltrane
