// The one thing the lower layers may ask of the window while they wait or
// loop: handle the window events that are pending, so the program stays
// responsive and a stop click reaches the run.
#pragma once

namespace pelrine {

class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
};

// For callers that run off the window thread or in tests.
class NoEvents final : public EventPump {
 public:
  void ProcessEvents() override {}
};

}  // namespace pelrine
