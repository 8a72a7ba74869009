#pragma once

namespace marvolin::platform {

// Periodic timers whose ticks reach the message handler as timer messages.
class Timers {
  public:
    virtual ~Timers() = default;
    // Starts (or restarts) timer `id`; returns the identifier, 0 when no timer could be made.
    virtual int Start(int id, int periodMilliseconds) = 0;
    virtual void Stop(int id) = 0;
};

}  // namespace marvolin::platform
